#include "app/named_project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_hooks.h"
#include "editor/command_ids.h"
#include "editor/commands.h"
#include "model/text.h"
#include "project/project_file.h"
#include "support/bmp_writer.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
struct Frame {
    Workspace ws;
    ScriptedHost host;
    CommandHooks hooks;
    EditorContext ctx{ws.project, ws.editor, ws.view, host, &hooks};
    Frame() {
        add_dialog_hooks(hooks, ws);
        ws.view.view_rect = {0, 30, 800, 600};
    }
};

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> small_bmp() {
    BmpLayout b;
    b.width = 2;
    b.height = 2;
    b.pixel_data = pack_rows(2, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    return write_bmp(b);
}
}  // namespace

TEST(NamedProject, LoadsTheFileWithItsBitmapAndResetsTheEditor) {
    ScratchDir dir;
    write_file(dir.file("town.bmp"), small_bmp());
    {
        Project saved;
        saved.coord_sys = kCoordDegrees;
        saved.range = {0, 0, 1000, 600};
        Layer& roads = add_layer(saved, "Roads");
        add_line(roads, "Main Street", {{100, 300}, {900, 300}});
        BackgroundBitmap& b = saved.bitmaps.entries[0];
        b.width = 1000;
        b.height = 600;
        set_field(b.file_name, "town.bmp");  // relative: found below the program directory
        saved.bitmaps.count = 1;
        NullProgressSink quiet;
        ASSERT_EQ(save_project(saved, dir.file("town"), quiet), 1);
        release_project_data(saved);
    }
    Frame f;
    set_field(f.ws.project.file_base_name, dir.file("town"));
    f.ws.project.modified = 1;
    f.ws.editor.tool_mode = kToolRectangle;
    f.ws.editor.current_layer = 0;
    EXPECT_EQ(load_named_project(f.ctx, make_bitmap_loader(dir.path().string() + "/")), Outcome::Ok);
    EXPECT_EQ(f.host.progress_runs, 1);
    EXPECT_EQ(f.ws.project.layer_count, 1);
    EXPECT_EQ(f.ws.project.modified, 0);
    ASSERT_TRUE(f.ws.project.bitmaps.entries[0].image);
    EXPECT_EQ(f.ws.project.bitmaps.entries[0].image->width, 2);
    EXPECT_EQ(f.ws.editor.tool_mode, kToolSelect);
    EXPECT_EQ(f.ws.editor.current_layer, -1);
    EXPECT_FLOAT_EQ(f.ws.view.zoom, 0.5f);  // 1000 units fitted into 800 pixels
    EXPECT_EQ(f.host.status[1], "curr layer: <background>");
    EXPECT_GT(f.host.redraws, 0);
    EXPECT_TRUE(f.host.tool_buttons[cmd::kSelectTool]);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(NamedProject, AMissingFileReportsTheLoadError) {
    ScratchDir dir;
    Frame f;
    set_field(f.ws.project.file_base_name, dir.file("nothing"));
    EXPECT_EQ(load_named_project(f.ctx, make_bitmap_loader("")), Outcome::Failed);
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].text, "An error occurred while loading project!");
    EXPECT_EQ(f.host.messages[0].caption, "Error");
    EXPECT_EQ(f.host.messages[0].icon, MessageIcon::Warning);
}

TEST(BitmapLoader, FindsAStoredNameAsGivenOrBelowTheProgramDirectory) {
    ScratchDir dir;
    write_file(dir.file("park.bmp"), small_bmp());
    const BitmapImageLoader beside = make_bitmap_loader(dir.path().string());
    EXPECT_TRUE(beside("park.bmp"));
    EXPECT_TRUE(beside(dir.file("park.bmp")));
    EXPECT_FALSE(beside("missing.bmp"));
    EXPECT_FALSE(beside(""));
    EXPECT_FALSE(make_bitmap_loader("")("park.bmp"));
}

TEST(CloseMainWindow, AModifiedProjectIsAskedAboutAndYesSavesIt) {
    ScratchDir dir;
    Frame f;
    set_field(f.ws.project.file_base_name, dir.file("town"));
    f.ws.project.coord_sys = kCoordDegrees;
    f.ws.project.range = {0, 0, 100, 100};
    add_line(add_layer(f.ws.project, "Roads"), "Main Street", {{10, 10}, {90, 90}});
    f.ws.project.modified = 1;

    f.host.answers = {Answer::Cancel};
    EXPECT_FALSE(close_main_window(f.ctx));
    EXPECT_EQ(f.ws.project.modified, 1);
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].text, "Save current project?");
    EXPECT_EQ(f.host.messages[0].caption, "Confirm");
    EXPECT_EQ(f.host.messages[0].buttons, MessageButtons::YesNoCancel);

    f.host.answers = {Answer::Yes};
    EXPECT_TRUE(close_main_window(f.ctx));
    EXPECT_EQ(f.ws.project.modified, 0);
    Project reloaded;
    NullProgressSink quiet;
    EXPECT_EQ(load_project_file(reloaded, dir.file("town"), quiet), 1);
    EXPECT_EQ(reloaded.layer_count, 1);
    release_project_data(reloaded);
}

TEST(CloseMainWindow, NoClearsModifiedWithoutSavingAndAnUnmodifiedProjectIsNotAsked) {
    ScratchDir dir;
    Frame f;
    set_field(f.ws.project.file_base_name, dir.file("town"));
    f.ws.project.modified = 1;
    f.host.answers = {Answer::No};
    EXPECT_TRUE(close_main_window(f.ctx));
    EXPECT_EQ(f.ws.project.modified, 0);
    EXPECT_EQ(f.host.progress_runs, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("town.mpr")));
    EXPECT_TRUE(close_main_window(f.ctx));
    EXPECT_EQ(f.host.messages.size(), 1u);
}
