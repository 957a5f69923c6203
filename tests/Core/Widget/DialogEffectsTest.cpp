#include <gtest/gtest.h>

#include <tinyxml2.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "Core/Widget/Dialog.h"
#include "Core/Widget/DialogAnimEffects.h"
#include "Core/Widget/DialogEffectsManager.h"
#include "Core/Widget/FrameManager.h"
#include "tests/Core/Widget/WidgetFixtures.h"
#include "tests/Support/TempFolder.h"
#include "tools/dialogs/AnimWriter/ScreenAnimWriter.h"

namespace {

using widget::DialogAnimEffects;
using widget_testing::Journal;
using widget_testing::LogRecorder;

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Fades in over [0, duration]: alpha is the time over the duration.
tools::ScreenAnim FadeIn(float duration) {
  tools::ScreenAnim anim;
  anim.endTime = duration;
  anim.channels[tools::kChannelScaleX] = {{0.0f, 1.0f}};
  anim.channels[tools::kChannelScaleY] = {{0.0f, 1.0f}};
  anim.channels[tools::kChannelScaleZ] = {{0.0f, 1.0f}};
  anim.channels[tools::kChannelDissolve] = {{0.0f, 1.0f}, {duration, 0.0f}};
  return anim;
}

// Animation files in a folder of their own: a show of 0.5 s, a hide of
// 0.3 s, and one without tracks.
class AnimFolder {
 public:
  AnimFolder() {
    folder.WriteFile("show.anim", Bytes(tools::WriteScreenAnim(FadeIn(0.5f))));
    folder.WriteFile("hide.anim", Bytes(tools::WriteScreenAnim(FadeIn(0.3f))));
    std::vector<std::uint8_t> empty = tools::WriteScreenAnim(FadeIn(0.5f));
    // Name length, the empty name, start and end time: then the track count.
    const std::size_t count = 4 + 0 + 8;
    empty.resize(count + 4);
    std::fill(empty.begin() + count, empty.end(), 0);
    folder.WriteFile("none.anim", Bytes(empty));
  }

  // The text with every '$' replaced by the folder's path.
  std::string Expand(std::string text) const {
    const std::string path = folder.Path().string() + "/";
    for (std::size_t at = text.find('$'); at != text.npos; at = text.find('$', at + path.size())) {
      text.replace(at, 1, path);
    }
    return text;
  }

  testing_support::TempFolder folder;
};

QLResultEnum LoadInto(widget::DialogEffectsManager& manager, const std::string& xml) {
  tinyxml2::XMLDocument document;
  EXPECT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS) << xml;
  return manager.Load(*document.RootElement());
}

struct LoadCase {
  const char* name;
  const char* xml;
  QLResultEnum expected;
};

class DialogEffectsLoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(DialogEffectsLoadTest, ReadsTheConfigurationOrStopsTheStartUp) {
  AnimFolder anims;
  widget::DialogEffectsManager manager;
  EXPECT_EQ(LoadInto(manager, anims.Expand(GetParam().xml)), GetParam().expected);
}

#define ANIM(extra) "<Anim name='a' show_anim_data='$show.anim' hide_anim_data='$hide.anim' " extra "/>"

INSTANTIATE_TEST_SUITE_P(
    GameXml, DialogEffectsLoadTest,
    testing::Values(
        LoadCase{"Empty", "<DialogEffects/>", QL_OK},
        LoadCase{"EntryAndDialog", "<DialogEffects><Data>" ANIM("") "</Data><Dialogs><Options effects='a'/></Dialogs>"
                 "</DialogEffects>", QL_OK},
        LoadCase{"Preloaded", "<DialogEffects><Data>" ANIM("preload='1'") "</Data></DialogEffects>", QL_OK},
        LoadCase{"UnknownKind", "<DialogEffects><Data><Fade name='a'/></Data></DialogEffects>", QL_FAIL},
        LoadCase{"NoName", "<DialogEffects><Data><Anim show_anim_data='s' hide_anim_data='h'/></Data>"
                 "</DialogEffects>", QL_FAIL},
        LoadCase{"NoShow", "<DialogEffects><Data><Anim name='a' hide_anim_data='h'/></Data></DialogEffects>", QL_FAIL},
        LoadCase{"NoHide", "<DialogEffects><Data><Anim name='a' show_anim_data='s'/></Data></DialogEffects>", QL_FAIL},
        LoadCase{"DuplicateKey", "<DialogEffects><Data>" ANIM("preload='1'") ANIM("preload='1'")
                 "</Data></DialogEffects>", QL_FAIL},
        LoadCase{"MissingPreloadedFile", "<DialogEffects><Data><Anim name='a' show_anim_data='$gone.anim' "
                 "hide_anim_data='$hide.anim' preload=''/></Data></DialogEffects>", QL_FAIL},
        LoadCase{"DialogWithoutEffects", "<DialogEffects><Dialogs><Options/></Dialogs></DialogEffects>", QL_FAIL},
        LoadCase{"DuplicateDialog", "<DialogEffects><Dialogs><Options effects='a'/><Options effects='b'/>"
                 "</Dialogs></DialogEffects>", QL_FAIL}),
    [](const auto& info) { return std::string(info.param.name); });

class JournalDialog : public widget::Dialog {
 public:
  JournalDialog(const std::string& name, Journal& journal, bool& deleted) : journal_(journal), deleted_(deleted) {
    SetName(name);
  }
  ~JournalDialog() override { deleted_ = true; }

  QLResultEnum OnShown() override {
    journal_.push_back("shown");
    return QL_OK;
  }

 private:
  Journal& journal_;
  bool& deleted_;
};

// The process-wide manager, configured once: each test pushes a dialog of
// its own name.
class DialogEffectsPlayTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    anims_ = new AnimFolder;
    ASSERT_EQ(LoadInto(*widget::DialogEffectsManager::Instance(),
                       anims_->Expand("<DialogEffects><Data>" ANIM("preload='1'")
                                      "<Anim name='loaded' show_anim_data='$show.anim' hide_anim_data='$hide.anim'/>"
                                      "<Anim name='empty' show_anim_data='$none.anim' hide_anim_data='$hide.anim'/>"
                                      "</Data><Dialogs><Play effects='a'/><PlayLoaded effects='loaded'/>"
                                      "<Lost effects='nowhere'/><Broken effects='empty'/></Dialogs>"
                                      "</DialogEffects>")),
              QL_OK);
  }
  static void TearDownTestSuite() { delete anims_; }

  JournalDialog* Push(const std::string& name) {
    auto* dialog = new JournalDialog(name, journal_, deleted_);
    EXPECT_EQ(manager_.PushModal(dialog, false), QL_OK);
    return dialog;
  }
  DialogAnimEffects* EffectsOf(const widget::Dialog& dialog) {
    return dynamic_cast<DialogAnimEffects*>(dialog.GetEffects());
  }

  static AnimFolder* anims_;
  Journal journal_;
  bool deleted_ = false;
  widget::FrameManager manager_;
};

AnimFolder* DialogEffectsPlayTest::anims_ = nullptr;

TEST_F(DialogEffectsPlayTest, TheShowRunsToItsEndAndTheHideClosesTheDialog) {
  for (const std::string name : {"Play", "PlayLoaded"}) {
    deleted_ = false;
    journal_.clear();
    JournalDialog* dialog = Push(name);
    DialogAnimEffects* effects = EffectsOf(*dialog);
    ASSERT_NE(effects, nullptr) << name;
    EXPECT_EQ(effects->GetState(), DialogAnimEffects::kShowing);
    EXPECT_EQ(dialog->GetLayer()->GetAlpha(), 0.0f);

    std::vector<float> times;
    while (journal_.empty() && times.size() < 10) {
      ASSERT_EQ(manager_.Update(0.2f), QL_OK);
      times.push_back(effects->GetTime());
    }
    // The first pass only starts the new task; the last frame lands exactly
    // on the end.
    EXPECT_EQ(times, (std::vector<float>{0.0f, 0.2f, 0.4f, 0.5f})) << name;
    EXPECT_EQ(journal_, Journal{"shown"});
    EXPECT_EQ(effects->GetState(), DialogAnimEffects::kShown);
    EXPECT_EQ(dialog->GetLayer()->GetAlpha(), 1.0f);

    ASSERT_EQ(dialog->Hide(true), QL_OK);
    EXPECT_EQ(effects->GetState(), DialogAnimEffects::kHiding);
    for (int i = 0; i < 4 && !deleted_; ++i) ASSERT_EQ(manager_.Update(0.2f), QL_OK);
    EXPECT_TRUE(deleted_) << name;
    EXPECT_TRUE(manager_.GetStack().empty());
  }
}

TEST_F(DialogEffectsPlayTest, AHideDuringTheShowWaitsForItsEnd) {
  JournalDialog* dialog = Push("Play");
  DialogAnimEffects* effects = EffectsOf(*dialog);
  ASSERT_NE(effects, nullptr);
  ASSERT_EQ(manager_.Update(0.2f), QL_OK);  // starts the task
  ASSERT_EQ(manager_.Update(0.2f), QL_OK);
  ASSERT_EQ(dialog->Hide(true), QL_OK);
  EXPECT_EQ(effects->GetState(), DialogAnimEffects::kShowing);
  ASSERT_EQ(manager_.Update(0.2f), QL_OK);
  ASSERT_EQ(manager_.Update(0.2f), QL_OK);
  EXPECT_EQ(journal_, Journal{"shown"});
  // The hide started in the same update, from its own start.
  EXPECT_EQ(effects->GetState(), DialogAnimEffects::kHiding);
  EXPECT_EQ(effects->GetTime(), 0.0f);
  for (int i = 0; i < 4 && !deleted_; ++i) ASSERT_EQ(manager_.Update(0.2f), QL_OK);
  EXPECT_TRUE(deleted_);
}

TEST_F(DialogEffectsPlayTest, ADialogWhoseEffectsCannotBeMadeIsShownAtOnce) {
  for (const std::string name : {"Lost", "Broken"}) {
    deleted_ = false;
    journal_.clear();
    LogRecorder::Get().writes.clear();
    JournalDialog* dialog = Push(name);
    EXPECT_EQ(dialog->GetEffects(), nullptr) << name;
    EXPECT_EQ(journal_, Journal{"shown"}) << name;
    EXPECT_EQ(manager_.GetActiveFrame(), dialog) << name;
    EXPECT_TRUE(LogRecorder::Get().Saw(u"it shows without them")) << name;
    ASSERT_EQ(dialog->Hide(true), QL_OK);
    ASSERT_EQ(manager_.Update(0.0f), QL_OK);
    EXPECT_TRUE(deleted_) << name;
  }
}

}  // namespace

namespace {

TEST(GameDialogEffectsTest, TheGameConfigurationGivesTheOptionsDialogItsAnimations) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(LF_GAME_DATA_ROOT);
  {
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile("data/game.xml"), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* effects = document.RootElement()->FirstChildElement("DialogEffects");
    ASSERT_NE(effects, nullptr);
    widget::DialogEffectsManager manager;
    ASSERT_EQ(manager.Load(*effects), QL_OK);

    widget::Dialog dialog;
    dialog.SetName("Options");
    widget::DialogEffects* made = nullptr;
    ASSERT_EQ(manager.CreateEffects(dialog, made), QL_OK);
    ASSERT_NE(made, nullptr);
    // Shown and faded in from nothing.
    ASSERT_EQ(made->StartShow(), QL_OK);
    EXPECT_EQ(dialog.GetLayer()->GetAlpha(), 0.0f);
    made->Detach();
    delete made;
  }
  std::filesystem::current_path(previous);
}

}  // namespace
