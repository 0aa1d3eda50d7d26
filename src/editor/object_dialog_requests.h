// The object dialogs the selection commands open through the host: the property dialog of one object,
// "Group Object Properties" and "Select Objects". The editor fills the request and reads the answer;
// the dialog's own behaviour belongs to its model.
#pragma once

#include <string>

#include "model/object_storage.h"
#include "model/records.h"
#include "model/vocabulary.h"
#include "platform/host.h"

namespace plotwell {

// Edits one object in place: "Simple Point Object", "Link Object", "Category Point Object", or the
// details dialog of its dimension ("Point Details", "Line Details", "Polygon Details").
struct ObjectPropertiesRequest : DialogModel {
    ObjectPropertiesRequest(MapObject* o, std::string t) : object(o), title(std::move(t)) {}
    std::string_view dialog_title() const override { return title; }
    MapObject* object;
    std::string title;
};

// One type for every current object of a common dimension (LINE or POLYGON).
struct GroupPropertiesRequest : DialogModel {
    std::string_view dialog_title() const override { return "Group Object Properties"; }
    uint8_t dimension = kDimLine;
    uint8_t type = 0;  // in: the first current object's type; out: the chosen type
};

// A dimension and a type to select by; a negative type means any type of the dimension.
struct SelectObjectsRequest : DialogModel {
    std::string_view dialog_title() const override { return "Select Objects"; }
    uint8_t dimension = kDimPoint;
    int type = -1;
};

// Confirms the figure being drawn before it becomes an object: its name and type in the details dialog
// of its dimension. On 1 the template holds the user's choices.
struct NewObjectRequest : DialogModel {
    explicit NewObjectRequest(ObjectHead* h) : head(h) {}
    std::string_view dialog_title() const override {
        return kDimensionDialogTitles[head->dimension < kDimensionCount ? head->dimension : kDimPolygon];
    }
    ObjectHead* head;
};

// The title of the property dialog that Properties opens for one object.
std::string object_properties_title(const MapObject* object);

}  // namespace plotwell
