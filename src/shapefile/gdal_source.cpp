#include "shapefile/gdal_source.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/bytes.h"
#include "model/gdal_init.h"

namespace plotwell {

namespace {

constexpr int kUnknownWidth = 254;  // the widest dBASE field
constexpr size_t kMaxRecordLength = 65535;
constexpr int kTypeScanFeatures = 100;
constexpr size_t kMaxFields = 2000;  // descriptors within the 16-bit header length

std::string last_gdal_error(const std::string& fallback) {
    const char* m = CPLGetLastErrorMsg();
    return m && *m ? std::string(m) : fallback;
}

GDALDataset* dataset_of(const std::shared_ptr<void>& d) {
    return static_cast<GDALDataset*>(d.get());
}

bool ends_with_ignoring_case(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower((unsigned char)s[s.size() - n + i]) != suffix[i]) return false;
    return true;
}

// The shape type a layer's records get: from the layer's declared type, else from its first geometries.
int32_t shape_type_of(OGRwkbGeometryType type) {
    const OGRwkbGeometryType flat = wkbFlatten(type);
    if (flat == wkbPoint || flat == wkbMultiPoint) return kShapePoint;
    if (OGR_GT_IsSubClassOf(flat, wkbCurve) || OGR_GT_IsSubClassOf(flat, wkbMultiCurve))
        return kShapePolyLine;
    if (OGR_GT_IsSubClassOf(flat, wkbSurface) || OGR_GT_IsSubClassOf(flat, wkbMultiSurface))
        return kShapePolygon;
    return kShapeNull;
}

int32_t layer_shape_type(OGRLayer* layer) {
    int32_t type = shape_type_of(layer->GetGeomType());
    layer->ResetReading();
    for (int i = 0; type == kShapeNull && i < kTypeScanFeatures; ++i) {
        OGRFeatureUniquePtr f(layer->GetNextFeature());
        if (!f) break;
        if (const OGRGeometry* g = f->GetGeometryRef()) type = shape_type_of(g->getGeometryType());
    }
    layer->ResetReading();
    return type;
}

// A field's bytes in the record and the dBASE type letter that gives its text the matching rules.
struct FieldSlot {
    char type = 'C';
    int width = kUnknownWidth;
    int precision = 0;
    OGRFieldType ogr_type = OFTString;
};

FieldSlot slot_for(const OGRFieldDefn& defn) {
    FieldSlot s;
    s.ogr_type = defn.GetType();
    s.precision = defn.GetPrecision();
    const int width = defn.GetWidth();
    s.width = width > 0 ? std::min(width, kUnknownWidth) : kUnknownWidth;
    if (s.ogr_type == OFTInteger || s.ogr_type == OFTInteger64 || s.ogr_type == OFTReal) {
        s.type = 'N';
        if (width <= 0) s.width = 24;
    }
    return s;
}

// The main file and attribute table headers that describe the layer to the dialog and the engine.
void build_layout(ShapefileReader& layout, int32_t shape_type, const std::vector<FieldSlot>& slots,
                  const std::vector<std::string>& names) {
    std::vector<uint8_t> shp(100, 0), shx(100, 0);
    put_le32(shp.data() + 32, uint32_t(shape_type));
    const size_t header = 32 + 32 * slots.size() + 1;
    std::vector<uint8_t> dbf(header, 0);
    size_t record = 1;
    for (size_t i = 0; i < slots.size(); ++i) {
        uint8_t* d = dbf.data() + 32 + 32 * i;
        std::memcpy(d, names[i].data(), std::min<size_t>(names[i].size(), 10));
        d[11] = uint8_t(slots[i].type);
        d[16] = uint8_t(slots[i].width);
        record += size_t(slots[i].width);
    }
    dbf[header - 1] = 0x0D;
    put_le16(dbf.data() + 8, uint16_t(header));
    put_le16(dbf.data() + 10, uint16_t(record));
    open_shapefile_bytes(layout, std::move(shp), std::move(shx), std::move(dbf));
    // dBASE names hold 10 characters; a GDAL field keeps its whole name.
    for (size_t i = 0; i < layout.fields.size() && i < names.size(); ++i) layout.fields[i].name = names[i];
}

// Collected points of one record: part starts and coordinates, 3D and measures dropped.
struct Parts {
    std::vector<int32_t> starts;
    std::vector<double> x, y;

    void clear() {
        starts.clear();
        x.clear();
        y.clear();
    }
    void add_curve(const OGRSimpleCurve& c) {
        const int n = c.getNumPoints();
        if (n <= 0) return;
        starts.push_back(int32_t(x.size()));
        for (int i = 0; i < n; ++i) {
            x.push_back(c.getX(i));
            y.push_back(c.getY(i));
        }
    }
};

// Every part of a geometry of the layer's dimension, in the order the shapefile path reads them: each
// line of a multi-line, each ring of each polygon.
void collect(const OGRGeometry* g, int32_t shape_type, Parts& out) {
    if (!g || g->IsEmpty()) return;
    const OGRwkbGeometryType flat = wkbFlatten(g->getGeometryType());
    if (g->hasCurveGeometry()) {
        std::unique_ptr<OGRGeometry> linear(g->getLinearGeometry());
        if (linear && !linear->hasCurveGeometry()) collect(linear.get(), shape_type, out);
        return;
    }
    if (flat == wkbPoint && shape_type == kShapePoint) {
        const auto* p = g->toPoint();
        out.starts.push_back(int32_t(out.x.size()));
        out.x.push_back(p->getX());
        out.y.push_back(p->getY());
    } else if ((flat == wkbLineString || flat == wkbLinearRing) && shape_type == kShapePolyLine) {
        out.add_curve(*g->toSimpleCurve());
    } else if (flat == wkbPolygon && shape_type == kShapePolygon) {
        const auto* poly = g->toPolygon();
        if (const OGRLinearRing* ring = poly->getExteriorRing()) out.add_curve(*ring);
        for (int i = 0; i < poly->getNumInteriorRings(); ++i) out.add_curve(*poly->getInteriorRing(i));
    } else if (OGR_GT_IsSubClassOf(flat, wkbGeometryCollection)) {
        const auto* c = g->toGeometryCollection();
        for (int i = 0; i < c->getNumGeometries(); ++i) collect(c->getGeometryRef(i), shape_type, out);
    }
}

class GdalRecordSource final : public RecordSource {
  public:
    GdalRecordSource(std::shared_ptr<void> dataset, OGRLayer* layer, VectorSource& owner,
                     std::vector<FieldSlot> slots, int32_t shape_type)
        : dataset_(std::move(dataset)),
          layer_(layer),
          owner_(owner),
          slots_(std::move(slots)),
          shape_type_(shape_type) {}

    const ShapefileReader& layout() const override { return owner_.shapefile; }
    int record_count() override {
        // Counting an OpenStreetMap file means reading it all.
        if (std::strcmp(dataset_of(dataset_)->GetDriverName(), "OSM") == 0) return 0;
        const GIntBig n = layer_->GetFeatureCount(TRUE);
        return n < 0 ? 0 : int(std::min<GIntBig>(n, std::numeric_limits<int>::max()));
    }
    void rewind() override {
        layer_->ResetReading();
        parts_.clear();
        next_point_ = 0;
        error_.clear();
    }
    bool next_record() override;
    std::span<const uint8_t> shape() const override { return content_; }
    std::span<const uint8_t> attributes() const override { return owner_.shapefile.record; }
    std::string read_error() const override { return error_; }

  private:
    void fill_attributes(const OGRFeature& f);
    void build_point(size_t i);
    void build_poly();

    std::shared_ptr<void> dataset_;
    OGRLayer* layer_;
    VectorSource& owner_;
    std::vector<FieldSlot> slots_;
    int32_t shape_type_;
    Parts parts_;
    size_t next_point_ = 0;  // a multi-point gives one record per point
    std::vector<uint8_t> content_;
    std::string error_;
};

void GdalRecordSource::fill_attributes(const OGRFeature& f) {
    std::vector<uint8_t>& record = owner_.shapefile.record;
    std::fill(record.begin(), record.end(), uint8_t(' '));
    const std::vector<DbfField>& fields = owner_.shapefile.fields;
    char number[64];
    for (size_t i = 0; i < slots_.size() && i < fields.size(); ++i) {
        const int index = int(i);
        if (!f.IsFieldSetAndNotNull(index)) continue;
        std::string text;
        switch (slots_[i].ogr_type) {
            case OFTInteger:
            case OFTInteger64:
                std::snprintf(number, sizeof number, "%lld", (long long)f.GetFieldAsInteger64(index));
                text = number;
                break;
            case OFTReal:
                if (slots_[i].precision > 0)
                    std::snprintf(number, sizeof number, "%.*f", std::min(slots_[i].precision, 30),
                                  f.GetFieldAsDouble(index));
                else
                    std::snprintf(number, sizeof number, "%.15g", f.GetFieldAsDouble(index));
                text = number;
                break;
            default:
                text = owner_.text.convert(f.GetFieldAsString(index));
                break;
        }
        const DbfField& d = fields[i];
        if (size_t(d.offset) >= record.size()) continue;
        const size_t n = std::min({text.size(), size_t(d.length), record.size() - size_t(d.offset)});
        std::memcpy(record.data() + d.offset, text.data(), n);
    }
}

void GdalRecordSource::build_point(size_t i) {
    content_.assign(20, 0);
    put_le32(content_.data(), uint32_t(kShapePoint));
    std::memcpy(content_.data() + 4, &parts_.x[i], 8);
    std::memcpy(content_.data() + 12, &parts_.y[i], 8);
    if (owner_.transform) transform_shape_content(content_, *owner_.transform);
}

void GdalRecordSource::build_poly() {
    const size_t parts = parts_.starts.size(), points = parts_.x.size();
    if (points > size_t(std::numeric_limits<int32_t>::max()) / 16) parts_.clear();
    content_.assign(44 + 4 * parts_.starts.size() + 16 * parts_.x.size(), 0);
    uint8_t* p = content_.data();
    put_le32(p, uint32_t(shape_type_));
    put_le32(p + 36, uint32_t(parts));
    put_le32(p + 40, uint32_t(points));
    for (size_t i = 0; i < parts; ++i) put_le32(p + 44 + 4 * i, uint32_t(parts_.starts[i]));
    uint8_t* q = p + 44 + 4 * parts;
    for (size_t j = 0; j < points; ++j) {
        std::memcpy(q + 16 * j, &parts_.x[j], 8);
        std::memcpy(q + 16 * j + 8, &parts_.y[j], 8);
    }
    if (owner_.transform) transform_shape_content(content_, *owner_.transform);
}

bool GdalRecordSource::next_record() {
    if (shape_type_ == kShapePoint && next_point_ < parts_.x.size()) {
        build_point(next_point_++);
        return true;
    }
    CPLErrorReset();
    OGRFeatureUniquePtr f(layer_->GetNextFeature());
    if (!f) {
        if (CPLGetLastErrorType() >= CE_Failure)
            error_ = last_gdal_error("the source could not be read to its end");
        return false;
    }
    fill_attributes(*f);
    parts_.clear();
    next_point_ = 0;
    collect(f->GetGeometryRef(), shape_type_, parts_);
    if (parts_.x.empty()) {
        content_.assign(4, 0);  // a null shape: no geometry, or none of the layer's dimension
    } else if (shape_type_ == kShapePoint) {
        build_point(next_point_++);
    } else {
        build_poly();
    }
    return true;
}

std::string authority_suffix(const OGRSpatialReference& srs) {
    const char* name = srs.GetAuthorityName(nullptr);
    const char* code = srs.GetAuthorityCode(nullptr);
    if (name && code) return std::string(" (") + name + ":" + code + ")";
    // A .prj in the ESRI dialect carries no code: the closest match in the EPSG database gives it.
    int count = 0;
    int* confidence = nullptr;
    OGRSpatialReferenceH* matches = srs.FindMatches(nullptr, &count, &confidence);
    std::string suffix;
    if (count > 0 && confidence[0] >= 70) {
        const auto* best = OGRSpatialReference::FromHandle(matches[0]);
        if (best->GetAuthorityName(nullptr) && best->GetAuthorityCode(nullptr))
            suffix = std::string(" (") + best->GetAuthorityName(nullptr) + ":" +
                     best->GetAuthorityCode(nullptr) + ")";
    }
    OSRFreeSRSArray(matches);
    CPLFree(confidence);
    return suffix;
}

SourceSystem describe(const OGRSpatialReference* srs) {
    SourceSystem s;
    if (!srs || srs->IsEmpty()) return s;
    s.kind = srs->IsProjected()    ? SystemKind::projected
             : srs->IsGeographic() ? SystemKind::geographic
                                   : SystemKind::none;
    if (s.kind == SystemKind::none) return s;
    const char* name = srs->GetName();
    s.name = std::string(name ? name : "unnamed") + authority_suffix(*srs);
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2018", nullptr};
    if (srs->exportToWkt(&wkt, options) == OGRERR_NONE && wkt) s.wkt = wkt;
    CPLFree(wkt);
    if (s.kind == SystemKind::geographic) {
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        const char* const same[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES",
                                    "CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
        s.wgs84 = srs->IsSame(&wgs84, same);
    }
    return s;
}

class OgrPointTransform final : public PointTransform {
  public:
    explicit OgrPointTransform(OGRCoordinateTransformation* t) : t_(t) {}
    ~OgrPointTransform() override { OGRCoordinateTransformation::DestroyCT(t_); }
    void apply(std::span<double> x, std::span<double> y) const override {
        const size_t n = std::min(x.size(), y.size());
        std::vector<int> ok(n, 0);
        t_->Transform(n, x.data(), y.data(), nullptr, ok.data());
        for (size_t i = 0; i < n; ++i)
            if (!ok[i] || !std::isfinite(x[i]) || !std::isfinite(y[i]))
                x[i] = y[i] = std::numeric_limits<double>::quiet_NaN();
    }

  private:
    OGRCoordinateTransformation* t_;
};

std::string geometry_name(OGRwkbGeometryType type) {
    const char* n = OGRGeometryTypeToName(type);
    return n ? n : "Unknown";
}

}  // namespace

std::shared_ptr<void> open_gdal_dataset(const std::string& path, std::string& error) {
    ensure_gdal();
    CPLErrorReset();
    // CSV files give points from their coordinate columns.
    const char* const csv_options[] = {"X_POSSIBLE_NAMES=x,lon,long,longitude,lng,easting",
                                       "Y_POSSIBLE_NAMES=y,lat,latitude,northing", "KEEP_GEOM_COLUMNS=YES",
                                       nullptr};
    const bool csv = ends_with_ignoring_case(path, ".csv");
    GDALDataset* ds = GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                        csv ? csv_options : nullptr, nullptr);
    if (!ds) {
        error = "Cannot read " + path + " as a vector source: " + last_gdal_error("format not recognised");
        return nullptr;
    }
    return std::shared_ptr<void>(ds, [](void* d) { GDALClose(static_cast<GDALDataset*>(d)); });
}

int gdal_layer_count(const std::shared_ptr<void>& dataset) {
    return dataset ? dataset_of(dataset)->GetLayerCount() : 0;
}

std::string gdal_layer_name(const std::shared_ptr<void>& dataset, int index) {
    OGRLayer* layer = dataset ? dataset_of(dataset)->GetLayer(index) : nullptr;
    return layer ? layer->GetName() : "";
}

SourceSystem system_from_wkt(const std::string& wkt) {
    ensure_gdal();
    OGRSpatialReference srs;
    if (wkt.empty() || srs.importFromWkt(wkt.c_str()) != OGRERR_NONE) return {};
    return describe(&srs);
}

std::unique_ptr<PointTransform> transform_to_wgs84(const SourceSystem& system, std::string& error) {
    ensure_gdal();
    CPLErrorReset();
    OGRSpatialReference from, to;
    if (system.wkt.empty() || from.importFromWkt(system.wkt.c_str()) != OGRERR_NONE ||
        to.importFromEPSG(4326) != OGRERR_NONE) {
        error = "The coordinate system " + system.name + " cannot be read";
        return nullptr;
    }
    // Longitude first, as the project stores x.
    from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRCoordinateTransformation* t = OGRCreateCoordinateTransformation(&from, &to);
    if (!t) {
        error = "No transformation from " + system.name + " to WGS 84: " + last_gdal_error("PROJ has none");
        return nullptr;
    }
    return std::make_unique<OgrPointTransform>(t);
}

Result open_gdal_layer(const std::shared_ptr<void>& dataset, const std::string& layer_name,
                       VectorSource& source) {
    GDALDataset* ds = dataset_of(dataset);
    CPLErrorReset();
    OGRLayer* layer = ds->GetLayerByName(layer_name.c_str());
    if (!layer) return failure("The source has no layer '" + layer_name + "'");
    // Only this layer is read: the OpenStreetMap driver would otherwise hold the others' features.
    if (std::strcmp(ds->GetDriverName(), "OSM") == 0)
        ds->ReleaseResultSet(
            ds->ExecuteSQL(("SET interest_layers = " + layer_name).c_str(), nullptr, nullptr));
    const int32_t type = layer_shape_type(layer);
    if (CPLGetLastErrorType() >= CE_Failure)
        return failure("Cannot read layer '" + layer_name + "': " + last_gdal_error("damaged source"));
    if (type == kShapeNull) return failure("Layer '" + layer_name + "' holds no points, lines or polygons");

    OGRFeatureDefn* defn = layer->GetLayerDefn();
    std::vector<FieldSlot> slots;
    std::vector<std::string> names;
    size_t record = 1;
    for (int i = 0; i < defn->GetFieldCount(); ++i) {
        const FieldSlot s = slot_for(*defn->GetFieldDefn(i));
        // A dBASE record holds 64 KiB: fields past that are not offered.
        if (record + size_t(s.width) > kMaxRecordLength || slots.size() >= kMaxFields) break;
        record += size_t(s.width);
        slots.push_back(s);
        names.push_back(defn->GetFieldDefn(i)->GetNameRef());
    }
    build_layout(source.shapefile, type, slots, names);
    source.layer_name = layer_name;
    source.system = describe(layer->GetSpatialRef());
    OGREnvelope env;
    if (layer->GetExtent(&env, TRUE) == OGRERR_NONE)
        source.extent = {true, env.MinX, env.MinY, env.MaxX, env.MaxY};
    source.records = std::make_unique<GdalRecordSource>(dataset, layer, source, std::move(slots), type);
    return success();
}

Result list_source_layers(const std::string& path, std::vector<SourceLayerInfo>& layers) {
    std::string error;
    const std::shared_ptr<void> dataset = open_gdal_dataset(path, error);
    if (!dataset) return failure(error);
    GDALDataset* ds = dataset_of(dataset);
    layers.clear();
    for (int i = 0; i < ds->GetLayerCount(); ++i) {
        OGRLayer* layer = ds->GetLayer(i);
        if (!layer) continue;
        SourceLayerInfo info;
        info.name = layer->GetName();
        info.geometry = geometry_name(layer->GetGeomType());
        info.feature_count = std::strcmp(ds->GetDriverName(), "OSM") == 0 ? -1 : layer->GetFeatureCount(TRUE);
        OGRFeatureDefn* defn = layer->GetLayerDefn();
        for (int f = 0; f < defn->GetFieldCount(); ++f) {
            const OGRFieldDefn* fd = defn->GetFieldDefn(f);
            std::string line =
                std::string(fd->GetNameRef()) + ": " + OGRFieldDefn::GetFieldTypeName(fd->GetType());
            if (fd->GetWidth() > 0) line += "(" + std::to_string(fd->GetWidth()) + ")";
            info.fields.push_back(line);
        }
        info.system = describe(layer->GetSpatialRef());
        layers.push_back(std::move(info));
    }
    if (CPLGetLastErrorType() >= CE_Failure)
        return failure("Cannot read " + path + ": " + last_gdal_error("damaged source"));
    return success();
}

}  // namespace plotwell
