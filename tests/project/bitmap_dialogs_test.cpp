#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/bitmap_file.h"
#include "model/text.h"
#include "project/background_bitmaps_dialog.h"
#include "project/bitmap_paths.h"
#include "project/bitmap_properties_dialog.h"
#include "support/bmp_writer.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

using test::ScriptedHost;

void write_bitmap(const std::string& path, int width, int height) {
    test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits_per_pixel = 24;
    layout.pixel_data =
        test::pack_rows(width, height, 24, std::vector<uint32_t>(size_t(width * height), 0x336699));
    const auto bytes = test::write_bmp(layout);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(BitmapPaths, RelativeBelowTheProgramDirectoryOnly) {
    EXPECT_EQ(relative_to_program_dir("/Opt/Plotwell/maps/a.bmp", "/opt/plotwell/"), "maps/a.bmp");
    EXPECT_EQ(relative_to_program_dir("/data/a.bmp", "/opt/plotwell/"), "/data/a.bmp");
    EXPECT_EQ(bitmap_file_path("maps/a.bmp", "/opt/plotwell/"), "/opt/plotwell/maps/a.bmp");
    EXPECT_EQ(bitmap_file_path("/data/a.bmp", "/opt/plotwell/"), "/data/a.bmp");
    EXPECT_EQ(bitmap_file_path("C:\\maps\\a.bmp", "/opt/plotwell/"), "C:\\maps\\a.bmp");
    EXPECT_EQ(project_dir_of("/maps/town"), "/maps/");
    EXPECT_EQ(resolve_bitmap_path("maps/a.bmp", {"/nowhere/", "/opt/none/"}), "maps/a.bmp");
}

struct BitmapDialogTest : ::testing::Test {
    BitmapDialogTest() {
        write_bitmap(dir.file("a.bmp"), 4, 2);
        write_bitmap(dir.file("b.bmp"), 8, 6);
        std::ofstream(dir.file("broken.bmp")) << "not a bitmap";
    }
    // Adds an entry straight to the table, its image loaded unless hidden.
    BackgroundBitmap& add(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h,
                          uint16_t flags = 0) {
        BackgroundBitmap& b = project.bitmaps.entries[project.bitmaps.count++];
        set_field(b.file_name, name);
        b.x = x;
        b.y = y;
        b.width = w;
        b.height = h;
        b.flags = flags;
        if (!(flags & kBitmapHidden)) b.image = load_bitmap_file(bitmap_file_path(name, program_dir()));
        return b;
    }
    std::string program_dir() const { return dir.path().string() + "/"; }
    BitmapFolders folders() const { return {"", program_dir()}; }
    BackgroundBitmapsModel model() { return BackgroundBitmapsModel(project, host, program_dir(), placement); }

    test::ScratchDir dir;
    Project project;
    ScriptedHost host;
    BitmapPlacement placement{50, -10, 20};
};

TEST_F(BitmapDialogTest, PropertiesOpenAndStore) {
    BackgroundBitmap& b = add("a.bmp", 10, 20, 100, 50, kBitmapLocked | 1);
    BitmapPropertiesModel m(b, nullptr, host, folders(), placement);
    EXPECT_EQ(m.file_name, "a.bmp");
    EXPECT_TRUE(m.file_read_only);
    EXPECT_FALSE(m.browse_visible);
    EXPECT_TRUE(m.locked);
    EXPECT_TRUE(m.visible);
    EXPECT_EQ(m.x_max, "110");
    EXPECT_EQ(m.y_max, "70");
    EXPECT_FALSE(m.set_from_prev_enabled());  // the first entry has no previous one
    m.locked = false;
    m.visible = false;
    m.x_min = "0";
    m.x_max = "-5";
    EXPECT_TRUE(m.ok());
    EXPECT_EQ(b.flags, 1 | kBitmapHidden);  // bits the dialog does not show stay
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.width, -5);
    EXPECT_EQ(b.height, 50);
}

TEST_F(BitmapDialogTest, BrowseShowsThePathRelativeToTheProgram) {
    BackgroundBitmap fresh;
    BitmapPropertiesModel m(fresh, nullptr, host, folders(), placement);
    EXPECT_TRUE(m.browse_visible);
    host.file_answers = {dir.file("b.bmp"), std::nullopt};
    m.browse();
    EXPECT_EQ(m.file_name, "b.bmp");
    m.browse();  // cancelled: unchanged
    EXPECT_EQ(m.file_name, "b.bmp");
    ASSERT_EQ(host.file_dialogs.size(), 2u);
    const FileDialogOptions& o = host.file_dialogs[0].options;
    EXPECT_FALSE(host.file_dialogs[0].save);
    EXPECT_EQ(o.title, "Select backgound bitmap");
    EXPECT_EQ(o.filter_name, "Bitmap");
    EXPECT_EQ(o.filter_pattern, "*.bmp");
    EXPECT_TRUE(o.flags & kFileMustExist);
}

TEST_F(BitmapDialogTest, SetFromPreviousKeepsTheUnitsPerPixel) {
    // 4 x 2 pixels shown as 400 x 100 units: 100 units per pixel across, 50 down.
    BackgroundBitmap& first = add("a.bmp", 0, 0, 400, 100);
    ASSERT_TRUE(first.image);
    BackgroundBitmap second;
    set_field(second.file_name, "b.bmp");
    second.x = 7;
    BitmapPropertiesModel m(second, &first, host, folders(), placement);
    ASSERT_TRUE(m.set_from_prev_enabled());
    m.set_from_prev();
    EXPECT_EQ(m.x_min, "7");
    EXPECT_EQ(m.x_max, "807");
    EXPECT_EQ(m.y_min, "0");
    EXPECT_EQ(m.y_max, "300");
    EXPECT_EQ(second.width, 0);  // only the fields until OK
}

TEST_F(BitmapDialogTest, SetFromPreviousWithoutItsImageReadsItsFile) {
    BackgroundBitmap& first = add("a.bmp", 0, 0, 400, 100, kBitmapHidden);
    ASSERT_FALSE(first.image);
    BackgroundBitmap second;
    set_field(second.file_name, "b.bmp");
    BitmapPropertiesModel m(second, &first, host, folders(), placement);
    m.set_from_prev();  // x and y are 0: placed as a new bitmap is
    EXPECT_EQ(m.x_min, "-10");
    EXPECT_EQ(m.x_max, "790");
    EXPECT_EQ(m.y_min, "20");
    EXPECT_EQ(m.y_max, "320");
    EXPECT_TRUE(host.messages.empty());

    set_field(first.file_name, "broken.bmp");
    BitmapPropertiesModel unreadable(second, &first, host, folders(), placement);
    unreadable.set_from_prev();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, BitmapPropertiesModel::kSizeUnreadable);
    EXPECT_EQ(unreadable.x_max, "0");
}

TEST_F(BitmapDialogTest, NewReadsTheSizeWhereTheLoadFindsTheFile) {
    std::filesystem::create_directories(dir.path() / "maps");
    write_bitmap(dir.file("maps/b.bmp"), 16, 6);  // beside the project: before the program's b.bmp
    set_field(project.file_base_name, dir.file("maps/town"));
    add("a.bmp", 0, 0, 400, 100);
    auto m = model();
    host.answer_dialog("Bitmap Properties", [&](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        p.file_name = "b.bmp";
        p.set_from_prev();
        return p.ok() ? 1 : 0;
    });
    m.new_bitmap();
    ASSERT_EQ(project.bitmaps.count, 2);
    EXPECT_EQ(project.bitmaps.entries[1].width, 1600);
    EXPECT_EQ(project.bitmaps.entries[1].image->width, 16);
}

TEST_F(BitmapDialogTest, AVisibleBitmapWithoutItsImageIsListedAsMissing) {
    add("gone.bmp", 0, 0, 10, 10);
    add("a.bmp", 0, 0, 10, 10);
    add("hidden.bmp", 0, 0, 10, 10, kBitmapHidden);
    EXPECT_EQ(model().lines, (std::vector<std::string>{"gone.bmp (missing)", "a.bmp", "hidden.bmp"}));
}

TEST_F(BitmapDialogTest, NewPlacesASizelessBitmapAndLoadsIt) {
    auto m = model();
    host.answer_dialog("Bitmap Properties", [&](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        EXPECT_EQ(p.file_name, "");
        EXPECT_FALSE(p.set_from_prev_enabled());
        p.file_name = dir.file("a.bmp");
        return p.ok() ? 1 : 0;
    });
    m.new_bitmap();
    ASSERT_EQ(project.bitmaps.count, 1);
    const BackgroundBitmap& b = project.bitmaps.entries[0];
    EXPECT_EQ(field_text(b.file_name), "a.bmp");
    EXPECT_EQ(b.x, -10);
    EXPECT_EQ(b.y, 20);
    EXPECT_EQ(b.width, 50);
    EXPECT_EQ(b.height, 50);
    ASSERT_TRUE(b.image);
    EXPECT_EQ(b.image->width, 4);
    EXPECT_EQ(m.lines, std::vector<std::string>{"a.bmp"});
    EXPECT_EQ(project.modified, 1);
}

TEST_F(BitmapDialogTest, NewThatCannotLoadIsNotAddedAndCancelAddsNothing) {
    auto m = model();
    host.answer_dialog("Bitmap Properties", [](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        p.file_name = "broken.bmp";
        p.x_max = "30";
        p.y_max = "30";
        return p.ok() ? 1 : 0;
    });
    host.answer_dialog("Bitmap Properties", [](DialogModel& d) {
        dynamic_cast<BitmapPropertiesModel&>(d).file_name = "a.bmp";
        return 0;
    });
    m.new_bitmap();
    m.new_bitmap();
    EXPECT_EQ(project.bitmaps.count, 0);
    EXPECT_EQ(field_text(project.bitmaps.entries[0].file_name), "");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Unable to load bitmap into memory!");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(m.lines.empty());
    EXPECT_EQ(project.modified, 0);
}

TEST_F(BitmapDialogTest, NewHiddenIsAddedWithoutAnImage) {
    auto m = model();
    host.answer_dialog("Bitmap Properties", [](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        p.file_name = "broken.bmp";
        p.visible = false;
        return p.ok() ? 1 : 0;
    });
    m.new_bitmap();
    EXPECT_EQ(project.bitmaps.count, 1);
    EXPECT_FALSE(project.bitmaps.entries[0].image);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BitmapDialogTest, TableFullAtSixtyFour) {
    for (int i = 0; i < kMaxBitmaps; ++i) add("a.bmp", 0, 0, 1, 1, kBitmapHidden);
    auto m = model();
    m.new_bitmap();
    EXPECT_TRUE(host.dialogs.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Bitmap table full!");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(project.bitmaps.count, kMaxBitmaps);
}

TEST_F(BitmapDialogTest, PropertiesShowingAndHidingLoadsAndReleases) {
    add("a.bmp", 0, 0, 10, 10);
    add("broken.bmp", 0, 0, 10, 10, kBitmapHidden);
    auto m = model();
    auto toggle = [](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        p.visible = !p.visible;
        return p.ok() ? 1 : 0;
    };
    host.answer_dialog("Bitmap Properties", toggle);
    host.answer_dialog("Bitmap Properties", toggle);
    m.properties();  // nothing selected: nothing shown
    EXPECT_TRUE(host.dialogs.empty());
    m.selected = 0;
    m.properties();
    EXPECT_FALSE(project.bitmaps.entries[0].image);
    m.selected = 1;
    m.properties();  // now visible, but it does not load: kept without an image
    EXPECT_FALSE(project.bitmaps.entries[1].flags & kBitmapHidden);
    EXPECT_FALSE(project.bitmaps.entries[1].image);
    EXPECT_EQ(host.last_message(), "Unable to load bitmap into memory!");
    EXPECT_EQ(project.bitmaps.count, 2);
    EXPECT_EQ(project.modified, 1);
}

TEST_F(BitmapDialogTest, CancelledPropertiesLeaveTheEntry) {
    add("a.bmp", 1, 2, 10, 10, kBitmapLocked);
    add("b.bmp", 0, 0, 0, 0);
    auto m = model();
    host.answer_dialog("Bitmap Properties", [](DialogModel& d) {
        auto& p = dynamic_cast<BitmapPropertiesModel&>(d);
        p.set_from_prev();
        p.locked = true;
        p.visible = false;
        p.x_min = "99";
        return 0;
    });
    m.selected = 1;
    m.properties();
    const BackgroundBitmap& b = project.bitmaps.entries[1];
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.width, 0);
    EXPECT_EQ(b.flags, 0);
    EXPECT_TRUE(b.image);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(BitmapDialogTest, MovesAtBothEndsChangeNothing) {
    add("a.bmp", 1, 0, 10, 10);
    add("b.bmp", 2, 0, 10, 10);
    add("c.bmp", 3, 0, 10, 10, kBitmapHidden);
    auto m = model();
    m.selected = 0;
    m.move_up();
    m.selected = 2;
    m.move_down();
    EXPECT_EQ(project.modified, 0);
    EXPECT_EQ(m.lines, (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));

    m.selected = 0;
    m.move_down();
    EXPECT_EQ(m.selected, 1);
    EXPECT_EQ(m.lines, (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp"}));
    EXPECT_EQ(project.bitmaps.entries[1].x, 1);  // the entry travels with its image
    EXPECT_EQ(project.bitmaps.entries[1].image->width, 4);
    m.selected = 2;
    m.move_up();
    EXPECT_EQ(m.selected, 1);
    EXPECT_EQ(m.lines, (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp"}));
    EXPECT_EQ(project.modified, 1);
}

TEST_F(BitmapDialogTest, RemoveAsksAndMovesTheRestUp) {
    add("a.bmp", 1, 0, 10, 10);
    add("b.bmp", 2, 0, 10, 10);
    auto m = model();
    host.answers = {Answer::No, Answer::Yes, Answer::Yes};
    m.selected = 0;
    m.remove();
    EXPECT_EQ(project.bitmaps.count, 2);
    EXPECT_EQ(project.modified, 0);
    m.remove();
    EXPECT_EQ(host.messages.back().text, "Are you sure you want to remove this bitmap?");
    EXPECT_EQ(host.messages.back().caption, "Confirm");
    EXPECT_EQ(host.messages.back().buttons, MessageButtons::YesNo);
    ASSERT_EQ(project.bitmaps.count, 1);
    EXPECT_EQ(project.bitmaps.entries[0].x, 2);
    EXPECT_EQ(m.lines, std::vector<std::string>{"b.bmp"});
    EXPECT_FALSE(project.bitmaps.entries[1].image);  // no stale reference past the count
    m.selected = 0;
    m.remove();  // the only bitmap
    EXPECT_EQ(project.bitmaps.count, 0);
    EXPECT_TRUE(m.lines.empty());
    EXPECT_EQ(project.modified, 1);
}

}  // namespace
}  // namespace plotwell
