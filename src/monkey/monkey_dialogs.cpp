// The dialogs answered with field values: the object and layer dialogs, the project-wide ones and the
// export. Lists get only selections a user can make; text fields get anything a user can type.
#include "dialogs/about_dialog.h"
#include "dialogs/category_point_dialog.h"
#include "dialogs/edit_layer_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/layers_dialog.h"
#include "export/export_dialog.h"
#include "export/publisher_dialog.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "monkey/monkey_host.h"
#include "project/background_bitmaps_dialog.h"
#include "project/bitmap_properties_dialog.h"
#include "project/clone_project_dialog.h"
#include "project/geo_info_dialog.h"
#include "project/import_project_dialog.h"
#include "project/new_project_dialog.h"
#include "project/project_file.h"
#include "project/project_properties_dialog.h"

namespace plotwell::monkey {

namespace {

// A list selection: an entry, or none (-1) when the list allows it.
int pick(Rng& rng, size_t count, bool none_allowed = true) {
    if (count == 0 || (none_allowed && rng.chance(10))) return -1;
    return rng.below(int64_t(count));
}

// Up to `most` presses of a list dialog's buttons, each with a random line selected.
template <class Model, class... Buttons>
void press_list_buttons(Model& m, Rng& rng, int most, Buttons... buttons) {
    for (int steps = rng.below(most + 1); steps > 0; --steps) {
        m.selected = pick(rng, m.lines.size());
        const int64_t chosen = rng.below(int64_t(sizeof...(buttons)));
        int64_t i = 0;
        ((i++ == chosen ? (void)(m.*buttons)() : void()), ...);
    }
}

int object_dialogs(DialogModel& model, Rng& rng, Host&) {
    if (auto* m = dynamic_cast<ObjectDetailsModel*>(&model)) {
        if (rng.chance(60)) m->name = random_text(rng, kObjectNameSize - 1);
        if (rng.chance(50)) m->type = pick(rng, m->types.size());
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<SimplePointModel*>(&model)) {
        if (rng.chance(60)) m->name = random_text(rng, kObjectNameSize - 2);
        if (rng.chance(50)) m->choose(SimplePointModel::Kind(rng.below(3)));
        if (rng.chance(50)) m->click_panel(rng.between(-5, 300), rng.between(-5, 300));
        if (!m->panel_visible && rng.chance(70)) m->list_selection = pick(rng, m->list.size());
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<CategoryPointModel*>(&model)) {
        if (rng.chance(60)) m->name = random_text(rng, kObjectNameSize - 1);
        if (rng.chance(50)) m->select_category(pick(rng, m->categories.size()));
        if (rng.chance(50)) m->select_sub_type(pick(rng, m->sub_types.size()));
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<LinkObjectModel*>(&model)) {
        if (rng.chance(60)) m->target = random_text(rng, kObjectNameSize - 1);
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<GroupPropertiesModel*>(&model)) {
        if (rng.chance(70)) m->type_selection = pick(rng, m->types.size());
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<SelectObjectsModel*>(&model)) {
        m->select_dimension(pick(rng, m->dimensions.size(), false));
        m->select_type(pick(rng, m->types.size(), false));
        return m->ok() ? 1 : 0;
    }
    return -1;
}

int layer_dialogs(DialogModel& model, Rng& rng, Host&) {
    if (auto* m = dynamic_cast<EditLayerModel*>(&model)) {
        if (rng.chance(60)) m->name = random_text(rng, kLayerNameSize - 1);
        if (rng.chance(40)) m->type = rng.below(kLayerTypeCount);
        if (rng.chance(40)) m->theme = rng.below(kThemeCount);
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<LayersModel*>(&model)) {
        press_list_buttons(*m, rng, 3, &LayersModel::new_layer, &LayersModel::delete_layer,
                           &LayersModel::edit_layer, &LayersModel::move_up, &LayersModel::move_down);
        return 1;
    }
    return -1;
}

int project_dialogs(DialogModel& model, Rng& rng, Host& host) {
    if (auto* m = dynamic_cast<NewProjectModel*>(&model)) {
        m->select(rng.below(3));
        return 1;
    }
    if (auto* m = dynamic_cast<ProjectPropertiesModel*>(&model)) {
        if (rng.chance(50)) m->name = random_text(rng, kProjectNameSize - 1);
        if (rng.chance(30)) m->parent_map_basename = random_text(rng, kParentMapBasenameSize - 1);
        std::string* bounds[4] = {&m->x_min, &m->x_max, &m->y_min, &m->y_max};
        for (std::string* b : bounds)
            if (rng.chance(30)) *b = random_number_text(rng, -200000000, 200000000);
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<GeoInfoModel*>(&model)) {
        if (rng.chance(60)) m->select_mode(rng.below(3));
        if (rng.chance(50)) m->km = random_number_text(rng, 0, 500);
        for (std::string& e : m->edges)
            if (rng.chance(30))
                e = rng.chance(50) ? random_number_text(rng, -180, 180) : random_text(rng, 20);
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<BackgroundBitmapsModel*>(&model)) {
        press_list_buttons(*m, rng, 2, &BackgroundBitmapsModel::new_bitmap,
                           &BackgroundBitmapsModel::properties, &BackgroundBitmapsModel::remove,
                           &BackgroundBitmapsModel::move_up, &BackgroundBitmapsModel::move_down);
        return 1;
    }
    if (auto* m = dynamic_cast<BitmapPropertiesModel*>(&model)) {
        if (m->browse_visible && rng.chance(30)) m->browse();
        if (m->set_from_prev_enabled() && rng.chance(20)) m->set_from_prev();
        std::string* position[4] = {&m->x_min, &m->x_max, &m->y_min, &m->y_max};
        for (std::string* p : position)
            if (rng.chance(30)) *p = random_number_text(rng, -5000, 5000);
        if (rng.chance(30)) m->locked = !m->locked;
        if (rng.chance(30)) m->visible = !m->visible;
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<ImportProjectDialog*>(&model)) {
        for (int steps = rng.below(3); steps > 0; --steps) {
            m->selected = pick(rng, m->lines().size());
            if (rng.chance(30)) m->match_themes();
            if (m->edit()) m->translation_chosen(pick(rng, m->destination_choices().size(), false));
        }
        if (rng.chance(25)) {
            m->cancel();
            return 0;
        }
        m->ok();
        return 1;
    }
    if (auto* m = dynamic_cast<CloneProjectDialog*>(&model)) {
        if (rng.chance(70)) m->browse(host);
        if (rng.chance(70)) m->file(host);
        if (rng.chance(20)) {
            m->new_project = random_text(rng, 60);
            // A typed name is a file the user asked for, taken in the start folder (the run's own).
            if (auto* monkey_host = dynamic_cast<MonkeyHost*>(&host))
                monkey_host->allow_write(project_file_path(
                    strip_file_extension(absolute_path(monkey_host->folder() + "/" + m->new_project))));
        }
        return 1;
    }
    return -1;
}

int export_dialogs(DialogModel& model, Rng& rng, Host& host) {
    if (auto* m = dynamic_cast<PublisherDetailsModel*>(&model)) {
        if (rng.chance(50)) m->copyright = random_text(rng, 31);
        if (rng.chance(50)) m->contact = random_text(rng, 127);
        return m->ok() ? 1 : 0;
    }
    if (auto* m = dynamic_cast<ExportDialog*>(&model)) {
        if (rng.chance(50)) m->id.map_name = random_text(rng, 31);
        if (rng.chance(30)) m->id.map_id = random_number_text(rng, 0, 40000);
        if (rng.chance(30)) m->id.parent_id = random_number_text(rng, 0, 40000);
        return m->export_pressed(host) ? 1 : 0;
    }
    return -1;
}

}  // namespace

int answer_dialog(DialogModel& model, Rng& rng, Host& host) {
    if (dynamic_cast<AboutModel*>(&model)) return 1;
    // Cancel before anything is typed, now and then, on every dialog.
    if (rng.chance(20)) return 0;
    for (auto answer : {object_dialogs, layer_dialogs, project_dialogs, export_dialogs}) {
        const int result = answer(model, rng, host);
        if (result >= 0) return result;
    }
    // The rest (shapefile import, layer translation, export layer properties and preferences) are
    // pressed OK or Cancel as they stand.
    return rng.below(2);
}

}  // namespace plotwell::monkey
