#include <unistd.h>

#include "platform/raster/picture.h"
#include "platform/toolkit/stop_box.h"
#include "support/script_test.h"

// The whole game in the real window under Xvfb: the script starts its own X server, plays a
// mission with xdotool and checks screenshots, the frames the window showed and save.dat (see
// play_mission.sh).
TEST(RealWindow, PlaysAMissionAndSavesTheJapaneseName) {
  RunScriptTest("e2e/play_mission.sh", "e2e-work");
}

// The edges of the real window (see window_edges.sh).
TEST(RealWindow, EndsAtOnceWithoutADisplay) {
  RunScriptTest("e2e/window_edges.sh", "e2e-nodisplay", "nodisplay");
}

TEST(RealWindow, FullScreenShowsThePictureWholeAndGivesTheWindowBack) {
  for (const char* how : {"800x600", "800x600 wm", "1280x1024", "1400x1100 wm"}) {
    SCOPED_TRACE(how);
    RunScriptTest("e2e/window_edges.sh", "e2e-fullscreen", std::string("fullscreen ") + how);
  }
}

TEST(RealWindow, QuitsCleanlyUnderAWindowManagerEveryTime) {
  RunScriptTest("e2e/window_edges.sh", "e2e-quit", "quit");
}

TEST(RealWindow, MissingFileShowsTheStopBoxCentredAndEndsWithStatusOne) {
  // An English desktop gets the English game: its own pictures and the box in English.
  struct Case {
    const char* locale;
    const char* file;
    const char* message;
  } cases[] = {{"", "title.mcg", "ファイル【title.mcg】が存在しません。"},
               {"en_GB.UTF-8", "en/title.mcg", "File [en/title.mcg] does not exist."}};
  for (const Case& c : cases) {
    // What the box must look like, from the game's own box drawer.
    const std::string ref =
        std::string(KZV_BUILD_DIR) + "/e2e-stopbox-" + std::to_string(getpid()) + ".png";
    platform::StopBoxPicture box = platform::DrawStopBox("K.Z.V", c.message);
    ASSERT_TRUE(platform::SavePng(box.picture, ref));
    RunScriptTest("e2e/window_edges.sh", "e2e-stopbox",
                  "stopbox " + ref + " " + c.file + " '" + c.message + "' " + c.locale);
    unlink(ref.c_str());
  }
}
