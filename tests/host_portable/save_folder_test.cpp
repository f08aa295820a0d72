#include <gtest/gtest.h>

#include <algorithm>

#include "host/files/game_folder_file_system.h"
#include "host/portable/game_opening.h"
#include "host/portable/save_folder_file_system.h"
#include "support/temporary_folder.h"

namespace tavro {
namespace {

TEST(PlayerSaveFolderTest, NamesTheGameAndHashesItsPath) {
    const std::string a = playerSaveFolder("/games/Quest.zip", "/data", "/home/p");
    EXPECT_TRUE(a.starts_with("/data/tavro/saves/Quest-")) << a;
    EXPECT_EQ(a.size(), std::string("/data/tavro/saves/Quest-").size() + 16);
    EXPECT_EQ(a, playerSaveFolder("/games/Quest.zip", "/data", nullptr));  // stable
    EXPECT_NE(a, playerSaveFolder("/other/Quest.zip", "/data", nullptr));
    EXPECT_TRUE(playerSaveFolder("/games/quest/", nullptr, "/home/p")
                    .starts_with("/home/p/.local/share/tavro/saves/quest-"));
    EXPECT_EQ(playerSaveFolder("/games/quest", "relative", nullptr), "");
}

class SaveFolderFileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.makeFolder("game/Save");
        folder.makeFolder("saves");
        folder.writeFile("game/seed.txt", "shipped");
        folder.writeFile("game/Save/slot.dat", "old");
    }

    TemporaryFolder folder;
    SaveFolderFileSystem files{folder.at("saves"),
                               std::make_unique<GameFolderFileSystem>(folder.at("game"))};
};

TEST_F(SaveFolderFileSystemTest, WritesGoToTheSaveFolderAndWinOverTheGame) {
    std::string bytes;
    ASSERT_TRUE(files.readFile("SAVE\\slot.dat", bytes));
    EXPECT_EQ(bytes, "old");
    ASSERT_TRUE(files.replaceFile("save\\SLOT.DAT", "new"));  // the game's folder is made
    ASSERT_TRUE(files.appendFile("seed.txt", "+"));
    ASSERT_TRUE(files.readFile("Save\\Slot.dat", bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(folder.readFile("saves/save/SLOT.DAT"), "new");
    EXPECT_EQ(folder.readFile("saves/seed.txt"), "+");
    EXPECT_EQ(folder.readFile("game/Save/slot.dat"), "old");
    EXPECT_EQ(folder.readFile("game/seed.txt"), "shipped");
    EXPECT_FALSE(files.replaceFile("nowhere\\x.dat", "x"));  // a folder neither has
    EXPECT_FALSE(folder.exists("saves/nowhere"));
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : files.listDirectory("")) {
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"save", "seed.txt"}));  // one of each name
}

}  // namespace
}  // namespace tavro
