#include "editor/project_commands.h"

#include <filesystem>

#include "editor/command_ids.h"
#include "editor/layers_dialog.h"
#include "editor/status_bar.h"
#include "editor_fixture.h"
#include "model/bytes.h"
#include "model/text.h"
#include "project/clone_project_dialog.h"
#include "project/new_project_dialog.h"
#include "project/project_file.h"
#include "support/bmp_writer.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ProjectCommands : EditorFixture {
    ProjectCommands() {
        set_field(project.file_base_name, base("city"));
        Layer& roads = add_layer(project, "roads", kThemeRoads);
        add_layer(project, "lakes", kThemeWater);
        first = add_line(roads, "main st", {{0, 0}, {100, 0}});
        add_point(roads, "inn", {5, 5});
        set_field(ws.publisher.publisher_notice, "(c) us");
        // The user defines one layer whenever the Layers dialog opens.
        for (int i = 0; i < 2; ++i) {
            host.answer_dialog("Layers", [this](DialogModel& m) {
                ++layers_dialogs;
                add_layer(project, "new", kThemeRoads);
                dynamic_cast<LayersModel&>(m).changed = true;
                return 1;
            });
        }
    }

    std::string base(std::string_view name) const { return dir.file(name); }
    void answer_template(int choice) {
        host.answer_dialog("New Project", [choice](DialogModel& m) {
            auto* model = dynamic_cast<NewProjectModel*>(&m);
            if (!model) {
                ADD_FAILURE() << "not the New Project model";
                return 0;
            }
            model->select(choice);
            return 1;
        });
    }

    void save_to_disk() {
        RecordingSink sink;
        ASSERT_TRUE(save_project(project, std::string(field_text(project.file_base_name)), sink));
    }
    std::string bitmap(std::string_view name, int width, int height) {
        BmpLayout b;
        b.width = width;
        b.height = height;
        b.bits_per_pixel = 24;
        b.pixel_data = pack_rows(width, height, 24, std::vector<uint32_t>(size_t(width * height), 0x00FF00));
        return dir.write(name, write_bmp(b));
    }

    ScratchDir dir;
    ExportSettings& settings = ws.export_settings;
    int layers_dialogs = 0;
    MapObject* first = nullptr;
};

}  // namespace

TEST(BaseNameOfFile, CutsOnlyTheFileNamesExtension) {
    EXPECT_EQ(strip_file_extension("/maps/city.mpr"), "/maps/city");
    EXPECT_EQ(strip_file_extension("park.bmp"), "park");
    EXPECT_EQ(strip_file_extension("/maps.old/city"), "/maps.old/city");
    EXPECT_EQ(strip_file_extension("C:\\maps.v2\\town.x.mpr"), "C:\\maps.v2\\town.x");
}

TEST_F(ProjectCommands, OpenAndShowFindBitmapsBesideTheProjectFile) {
    std::filesystem::create_directories(dir.path() / "maps");
    bitmap("maps/park.bmp", 4, 3);
    project.bitmaps.count = 2;
    set_field(project.bitmaps.entries[0].file_name, "park.bmp");
    set_field(project.bitmaps.entries[1].file_name, "park.bmp");
    project.bitmaps.entries[1].flags = kBitmapHidden;
    set_field(project.file_base_name, base("maps/city"));
    save_to_disk();
    host.file_answers = {base("maps/city.mpr")};
    command(cmd::kOpen);
    EXPECT_TRUE(project.bitmaps.entries[0].image);
    editor.hot_kind = HotKind::Bitmap;
    editor.hot_bitmap = 1;
    command(cmd::kShowBitmap);
    EXPECT_TRUE(project.bitmaps.entries[1].image);
}

TEST_F(ProjectCommands, SaveWritesTheFileAndClearsModified) {
    project.modified = 1;
    EXPECT_EQ(command(cmd::kSave), CommandResult::Done);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.titles.back(), "Plotwell - city");
    EXPECT_EQ(host.progress_runs, 1);

    Project loaded;
    RecordingSink sink;
    ASSERT_TRUE(load_project_file(loaded, base("city"), sink));
    EXPECT_EQ(loaded.layer_count, 2);
    EXPECT_EQ(loaded.layers[0].object_count, 2);

    // A file that cannot be written keeps the project modified and says so in the title.
    set_field(project.file_base_name, base("missing/dir/city"));
    project.modified = 1;
    command(cmd::kSave);
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");
}

TEST_F(ProjectCommands, OpenAsksToSaveReleasesAndLoadsTheChosenFile) {
    save_to_disk();  // city.mpr with two layers
    set_field(project.file_base_name, base("town"));
    project.modified = 1;
    editor.current_layer = 0;
    editor.current_objects = {first};
    editor.hot_kind = HotKind::Object;
    editor.hot_item = first;
    editor.tool_mode = kToolLine;
    settings.visible_layer_count = 0;

    host.answers = {Answer::No};
    host.file_answers = {base("city.mpr")};
    EXPECT_EQ(command(cmd::kOpen), CommandResult::Done);

    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Save current project?");
    EXPECT_EQ(host.messages[0].caption, "Confirm");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNoCancel);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    const ShownFileDialog& d = host.file_dialogs[0];
    EXPECT_FALSE(d.save);
    EXPECT_EQ(d.options.title, "Open Project");
    EXPECT_EQ(d.options.filter_name, "Map Project");
    EXPECT_EQ(d.options.filter_pattern, "*.mpr");
    EXPECT_EQ(d.options.default_extension, ".mpr");
    EXPECT_EQ(d.options.flags, kFileMustExist | kPathMustExist | kHideReadOnly);

    EXPECT_EQ(field_text(project.file_base_name), base("city"));
    EXPECT_EQ(host.titles.back(), "Plotwell - city");
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_EQ(editor.current_layer, -1);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(editor.hot_item, nullptr);
    EXPECT_EQ(editor.tool_mode, kToolSelect);
    EXPECT_EQ(host.status[kStatusLayerPart], "curr layer: <background>");
    EXPECT_EQ(settings.visible_layer_count, 2);  // reset for the loaded layers
    EXPECT_EQ(host.last_sink.log.rfind("Loading layer objects...\r\n", 0), 0u);
}

TEST_F(ProjectCommands, CancelledQuestionOrDialogEndsOpen) {
    project.modified = 1;
    host.answers = {Answer::Cancel};
    command(cmd::kOpen);
    EXPECT_TRUE(host.file_dialogs.empty());
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(project.modified, 1);

    // Without changes there is no question, and a cancelled file dialog leaves the project as it was.
    project.modified = 0;
    host.file_answers = {std::nullopt};
    EXPECT_EQ(open_project_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_EQ(field_text(project.file_base_name), base("city"));
}

TEST_F(ProjectCommands, AFileThatDoesNotLoadLeavesTheOpenProjectAsItWas) {
    const std::string notes = dir.write("notes.mpr", std::string_view("not a project at all"));
    RecordingSink sink;
    std::vector<uint8_t> truncated = build_project_file(project, sink);
    truncated.resize(truncated.size() / 2);
    const std::string cut = dir.write("cut.mpr", truncated);
    project.modified = 1;
    for (const std::string& path : {notes, cut}) {
        host.answers = {Answer::No};
        host.file_answers = {path};
        EXPECT_EQ(open_project_command(ctx), Outcome::Failed);
        EXPECT_EQ(host.last_message(), "An error occurred while loading project!");
        EXPECT_EQ(host.messages.back().icon, MessageIcon::Warning);
        EXPECT_EQ(field_text(project.file_base_name), base("city"));
        EXPECT_EQ(project.layer_count, 2);
        EXPECT_EQ(project.layers[0].object_count, 2);
        EXPECT_EQ(project.modified, 1);
    }
    // The damaged files were never written.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(notes, bytes));
    EXPECT_EQ(bytes.size(), 20u);
    ASSERT_TRUE(read_whole_file(cut, bytes));
    EXPECT_EQ(bytes, truncated);
    // A name too long for the project's record is refused before anything is read.
    host.answers = {Answer::No};
    host.file_answers = {dir.file(std::string(130, 'x') + ".mpr")};
    EXPECT_EQ(open_project_command(ctx), Outcome::Failed);
    EXPECT_EQ(host.last_message(), "The file name is too long.");
    EXPECT_EQ(field_text(project.file_base_name), base("city"));
}

TEST_F(ProjectCommands, AnOpenedProjectStaysInItsFolderAndAFailedSaveSaysSo) {
    save_to_disk();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    host.file_answers = {"city.mpr"};
    const Outcome opened = open_project_command(ctx);
    std::filesystem::current_path(before);  // as a file dialog elsewhere might have left it
    ASSERT_EQ(opened, Outcome::Ok);
    EXPECT_EQ(field_text(project.file_base_name), base("city"));
    const size_t messages = host.messages.size();
    project.modified = 1;
    command(cmd::kSave);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.messages.size(), messages);

    set_field(project.file_base_name, dir.file("gone/city"));
    project.modified = 1;
    command(cmd::kSave);
    EXPECT_EQ(host.last_message(), "The project could not be saved!");
    EXPECT_EQ(project.modified, 1);
}

TEST_F(ProjectCommands, TheNamedProjectLoadsAtStartUp) {
    save_to_disk();
    Workspace other;
    Project& fresh = other.project;
    EditorContext start{other, host};
    set_field(fresh.file_base_name, base("city"));
    fresh.modified = 1;
    EXPECT_EQ(handle_command(start, cmd::kLoadNamedProject), CommandResult::Done);
    EXPECT_EQ(fresh.layer_count, 2);
    EXPECT_EQ(fresh.modified, 0);
    EXPECT_EQ(host.titles.back(), "Plotwell - city");
}

TEST_F(ProjectCommands, CloseSavesOnYesAndForgetsTheProject) {
    project.modified = 1;
    editor.current_layer = 1;
    editor.current_objects = {first};
    editor.clipboard.reset(duplicate_object(first));
    editor.selection_rect = {1, 2, 3, 4};
    host.answers = {Answer::Yes};
    EXPECT_EQ(command(cmd::kClose), CommandResult::Done);
    // The clipboard holds copies of its own and survives, as does the selection rectangle.
    ASSERT_NE(editor.clipboard, nullptr);
    EXPECT_EQ(field_text(editor.clipboard->name), "main st");
    EXPECT_EQ(editor.selection_rect, (SelectionRect{1, 2, 3, 4}));
    EXPECT_TRUE(std::filesystem::exists(base("city.mpr")));
    EXPECT_EQ(project.layer_count, 0);
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_TRUE(field_text(project.file_base_name).empty());
    EXPECT_EQ(editor.current_layer, -1);
    EXPECT_TRUE(editor.current_objects.empty());
    EXPECT_EQ(host.titles.back(), "Plotwell - <no project>");
    EXPECT_EQ(host.status[kStatusLayerPart], "curr layer: <background>");
}

TEST_F(ProjectCommands, AFailedSaveOnYesKeepsTheProject) {
    set_field(project.file_base_name, base("missing/city"));
    project.modified = 1;
    host.answers = {Answer::Yes};
    EXPECT_EQ(close_project_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(), "The project could not be saved!");
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(host.titles.back(), "Plotwell - city *");

    host.answers = {Answer::Yes};
    EXPECT_FALSE(close_request(ctx));
}

TEST_F(ProjectCommands, CloseRequestAsksOnlyForAModifiedProject) {
    EXPECT_TRUE(close_request(ctx));
    EXPECT_TRUE(host.messages.empty());
    project.modified = 1;
    host.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(close_request(ctx));
    EXPECT_EQ(project.modified, 1);
    EXPECT_TRUE(close_request(ctx));
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(ProjectCommands, NewFromABitmapNamesTheProjectAfterIt) {
    const std::string park = bitmap("park.bmp", 40, 30);
    project.coord_sys = kCoordDegrees;
    editor.current_layer = 0;
    answer_template(0);
    host.file_answers = {park};
    EXPECT_EQ(command(cmd::kNew), CommandResult::Done);

    ASSERT_EQ(host.file_dialogs.size(), 1u);
    const ShownFileDialog& d = host.file_dialogs[0];
    EXPECT_FALSE(d.save);
    EXPECT_EQ(d.options.title, "Select backgound bitmap");
    EXPECT_EQ(d.options.filter_name, "Bitmap");
    EXPECT_EQ(d.options.filter_pattern, "*.bmp");
    EXPECT_EQ(d.options.default_extension, ".bmp");
    EXPECT_TRUE(d.options.flags & kFileMustExist);

    EXPECT_EQ(field_text(project.file_base_name), base("park"));
    EXPECT_EQ(host.titles.back(), "Plotwell - park *");
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(project.coord_sys, kCoordArbitrary);
    EXPECT_EQ(project.range, (CoordRange{0, 0, 40, 30}));
    ASSERT_EQ(project.bitmaps.count, 1);
    const BackgroundBitmap& b = project.bitmaps.entries[0];
    EXPECT_EQ(b.width, 40);
    EXPECT_EQ(b.height, 30);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.flags, 0);
    ASSERT_NE(b.image, nullptr);
    EXPECT_EQ(field_text(b.file_name), park);
    // The old layers are gone; the Layers dialog defined the new one, which its Done made current.
    EXPECT_EQ(editor.current_layer, 0);
    EXPECT_EQ(layers_dialogs, 1);
    ASSERT_EQ(project.layer_count, 1);
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_EQ(field_text(project.layers[0].name), "new");
    EXPECT_EQ(host.status[kStatusLayerPart], "curr layer: 0:new [ROADS]");
    EXPECT_EQ(view.origin_x, 20);  // fitted to the bitmap
}

TEST_F(ProjectCommands, ANewProjectStartsUngeoreferencedAndItsFirstSaveAsksBeforeReplacing) {
    save_to_disk();
    project.geo = GeoInfo{kGeoScaleAndPos, 5, 10, 20, 30, 40};
    answer_template(0);
    host.file_answers = {bitmap("city.bmp", 4, 3)};
    ASSERT_EQ(new_project_command(ctx), Outcome::Ok);
    EXPECT_EQ(project.geo.mode, kGeoNone);
    EXPECT_EQ(project.geo.west | project.geo.east | project.geo.south | project.geo.north, 0);

    host.answers = {Answer::No};
    command(cmd::kSave);
    EXPECT_EQ(host.last_message(), base("city") + ".mpr already exists.\nDo you want to replace it?");
    EXPECT_EQ(project.modified, 1);
    Project kept;
    RecordingSink sink;
    ASSERT_TRUE(load_project_file(kept, base("city"), sink));
    EXPECT_EQ(kept.layer_count, 2);  // not replaced

    host.answers = {Answer::Yes};
    command(cmd::kSave);
    EXPECT_EQ(project.modified, 0);
    const size_t questions = host.messages.size();
    project.modified = 1;
    command(cmd::kSave);  // saved once: no more questions
    EXPECT_EQ(host.messages.size(), questions);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(ProjectCommands, NewFromAnUnloadableBitmapGetsADefaultRange) {
    const std::string bad = dir.write("bad.bmp", std::string_view("BM but nothing else"));
    answer_template(0);
    host.file_answers = {bad};
    EXPECT_EQ(new_project_command(ctx), Outcome::Ok);
    EXPECT_EQ(project.range, (CoordRange{0, 0, 100, 100}));
    EXPECT_EQ(project.bitmaps.count, 0);
    EXPECT_EQ(field_text(project.file_base_name), base("bad"));
}

TEST_F(ProjectCommands, NewEmptyDegreesProject) {
    settings.visible_layer_count = 5;
    answer_template(1);
    host.file_answers = {base("world.mpr")};
    EXPECT_EQ(new_project_command(ctx), Outcome::Ok);
    ASSERT_EQ(host.file_dialogs.size(), 1u);
    EXPECT_TRUE(host.file_dialogs[0].save);
    EXPECT_EQ(host.file_dialogs[0].options.title, "Project File Name");
    EXPECT_EQ(host.file_dialogs[0].options.filter_pattern, "*.mpr");
    EXPECT_TRUE(host.file_dialogs[0].options.flags & kOverwritePrompt);
    EXPECT_EQ(project.coord_sys, kCoordDegrees);
    EXPECT_EQ(project.range, (CoordRange{180000000, 180000000, -360000000, -360000000}));
    EXPECT_EQ(field_text(project.file_base_name), base("world"));
    EXPECT_EQ(settings.visible_layer_count, 0);  // reset before the layers were defined
    EXPECT_EQ(coord_status_text(project, view, at(10, 10)), "<empty range>");
}

TEST_F(ProjectCommands, CancellingNewChangesNothing) {
    project.modified = 1;
    host.answers = {Answer::Cancel};
    EXPECT_EQ(new_project_command(ctx), Outcome::Cancelled);
    EXPECT_TRUE(host.dialogs.empty());

    host.answers = {Answer::No};
    answer_template(1);
    host.file_answers = {std::nullopt};
    EXPECT_EQ(new_project_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(field_text(project.file_base_name), base("city"));
    EXPECT_EQ(layers_dialogs, 0);
}

TEST_F(ProjectCommands, CloneCopiesTheLayerStructureIntoANewFile) {
    project.coord_sys = kCoordDegrees;
    project.range = {1000, 2000, 300, 400};
    project.layers[1].display_flags = kLayerShowAlways;
    project.geo = GeoInfo{kGeoScaleAndPos, 0, 1000, 1300, 2000, 2400};
    save_to_disk();
    answer_template(2);
    host.file_answers = {base("city.mpr"), base("copy.mpr")};
    host.answer_dialog("Clone Project", [&](DialogModel& m) {
        auto& clone = dynamic_cast<CloneProjectDialog&>(m);
        clone.browse(host);
        clone.file(host);
        return 1;
    });
    EXPECT_EQ(new_project_command(ctx), Outcome::Ok);
    EXPECT_EQ(layers_dialogs, 0);
    EXPECT_EQ(field_text(project.file_base_name), base("copy"));
    ASSERT_EQ(project.layer_count, 2);
    EXPECT_EQ(field_text(project.layers[1].name), "lakes");
    EXPECT_EQ(project.layers[1].theme, kThemeWater);
    EXPECT_EQ(project.layers[1].display_flags, kLayerShowAlways);
    EXPECT_EQ(project.layers[0].objects, nullptr);
    EXPECT_EQ(project.coord_sys, kCoordDegrees);
    EXPECT_EQ(project.range, (CoordRange{1000, 2000, 300, 400}));
    EXPECT_EQ(project.geo.mode, kGeoScaleAndPos);
    EXPECT_EQ(project.geo.north, 2400);
    EXPECT_EQ(project.modified, 0);  // written at once
    EXPECT_EQ(host.titles.back(), "Plotwell - copy");

    Project copy;
    RecordingSink sink;
    ASSERT_TRUE(load_project_file(copy, base("copy"), sink));
    EXPECT_EQ(copy.layer_count, 2);
    EXPECT_EQ(copy.layers[0].object_count, 0);
    // The source keeps its objects.
    Project source;
    ASSERT_TRUE(load_project_file(source, base("city"), sink));
    EXPECT_EQ(source.layers[0].object_count, 2);
}

TEST_F(ProjectCommands, CloneRefusesAnEmptyNameTheSourceItselfAndAnUnreadableSource) {
    save_to_disk();
    auto clone_as = [&](std::string source, std::string target) {
        answer_template(2);
        host.answer_dialog("Clone Project", [source, target](DialogModel& m) {
            auto& clone = dynamic_cast<CloneProjectDialog&>(m);
            clone.source_project = source;
            clone.new_project = target;
            return 1;
        });
        return new_project_command(ctx);
    };
    EXPECT_EQ(clone_as(base("city.mpr"), ""), Outcome::Failed);
    EXPECT_EQ(host.last_message(), "Please enter a file name for the new project!");
    EXPECT_EQ(clone_as(base("city"), base("city.mpr")), Outcome::Failed);
    EXPECT_EQ(host.last_message(), "The new project must not replace the source project!");
    EXPECT_EQ(clone_as(base("nothing.mpr"), base("copy")), Outcome::Failed);
    EXPECT_EQ(host.last_message(), "The source project could not be read!");
    // Nothing was released by the refusals.
    EXPECT_EQ(project.layer_count, 2);
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_FALSE(std::filesystem::exists(base("copy.mpr")));
    // Names typed without a folder are taken in the start folder, not the working directory.
    ws.start_dir = dir.path().string();
    EXPECT_EQ(clone_as("city", "copy"), Outcome::Ok);
    EXPECT_TRUE(std::filesystem::exists(base("copy.mpr")));
}

TEST_F(ProjectCommands, NewOpenAndCloseClearTheObjectNameAndThePosition) {
    save_to_disk();
    auto stale = [&] {
        host.status[kStatusObjectPart] = "main st";
        host.status[kStatusCoordPart] = "X: 5, Y: 5";
    };
    auto cleared = [&] {
        return host.status[kStatusObjectPart].empty() && host.status[kStatusCoordPart].empty();
    };
    stale();
    host.file_answers = {base("city.mpr")};
    command(cmd::kOpen);
    EXPECT_TRUE(cleared());
    stale();
    answer_template(1);
    host.file_answers = {base("world.mpr")};
    command(cmd::kNew);
    EXPECT_TRUE(cleared());
    stale();
    host.answers = {Answer::No};
    command(cmd::kClose);
    EXPECT_TRUE(cleared());
}

TEST_F(ProjectCommands, SaveAsWritesTheChosenFileWhichThenNamesTheProject) {
    save_to_disk();  // city.mpr, the project's own file
    ws.project_file_named = true;
    std::vector<uint8_t> city, other;
    ASSERT_TRUE(read_whole_file(base("city.mpr"), city));
    const std::string taken = dir.write("taken.mpr", std::string_view("someone else's"));
    project.modified = 1;
    // Cancel in the dialog, then No to replacing another file: nothing changes.
    host.file_answers = {std::nullopt, taken};
    host.answers = {Answer::No};
    EXPECT_EQ(command(cmd::kSaveAs), CommandResult::Done);
    EXPECT_EQ(save_project_as_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(host.last_message(), taken + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(field_text(project.file_base_name), base("city"));
    EXPECT_EQ(project.modified, 1);
    EXPECT_TRUE(ws.project_file_named);
    ASSERT_TRUE(read_whole_file(taken, other));
    EXPECT_EQ(other.size(), 14u);
    // Yes replaces it with the project's bytes and names the project after it.
    host.file_answers = {taken};
    host.answers = {Answer::Yes};
    EXPECT_EQ(save_project_as_command(ctx), Outcome::Ok);
    EXPECT_EQ(host.file_dialogs.back().options.title, "Save Project As");
    ASSERT_TRUE(read_whole_file(taken, other));
    EXPECT_EQ(other, city);
    EXPECT_EQ(field_text(project.file_base_name), base("taken"));
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(host.titles.back(), "Plotwell - taken");
    EXPECT_EQ(ws.recent_projects.files.front(), base("taken.mpr"));
    // Its own file is replaced without a question, as Save does.
    const size_t messages = host.messages.size();
    host.file_answers = {base("taken.mpr")};
    EXPECT_EQ(save_project_as_command(ctx), Outcome::Ok);
    EXPECT_EQ(host.messages.size(), messages);
    // In another folder, a bitmap found beside the project is named by where it is.
    const std::string park = bitmap("park.bmp", 4, 3);
    project.bitmaps.count = 1;
    set_field(project.bitmaps.entries[0].file_name, "park.bmp");
    std::filesystem::create_directories(dir.path() / "copy");
    host.file_answers = {base("copy/city.mpr")};
    EXPECT_EQ(save_project_as_command(ctx), Outcome::Ok);
    EXPECT_EQ(field_text(project.bitmaps.entries[0].file_name), park);
}

TEST_F(ProjectCommands, RecentProjectsKeepTheLastEightNewestFirstAndReopenAsOpenDoes) {
    RecentProjects recent;
    for (int i = 0; i < 10; ++i) add_recent_project(recent, "/maps/" + std::to_string(i) + ".mpr");
    add_recent_project(recent, "/maps/./5.mpr");
    EXPECT_EQ(recent.files,
              (std::vector<std::string>{"/maps/5.mpr", "/maps/9.mpr", "/maps/8.mpr", "/maps/7.mpr",
                                        "/maps/6.mpr", "/maps/4.mpr", "/maps/3.mpr", "/maps/2.mpr"}));

    save_to_disk();
    ws.recent_projects.files = {dir.file("gone.mpr"), base("city.mpr")};
    project.modified = 1;
    host.answers = {Answer::Cancel, Answer::No};
    command(cmd::kRecentProject + 1);  // the question comes first
    EXPECT_EQ(project.modified, 1);
    command(cmd::kRecentProject);  // a file that does not open leaves the project and the list
    EXPECT_EQ(host.last_message(), "An error occurred while loading project!");
    EXPECT_EQ(project.modified, 1);
    EXPECT_EQ(ws.recent_projects.files, std::vector<std::string>{base("city.mpr")});
    host.answers = {Answer::No};
    command(cmd::kRecentProject);
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_EQ(ws.recent_projects.files, std::vector<std::string>{base("city.mpr")});
}
