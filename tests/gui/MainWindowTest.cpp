#include "GuiFixture.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "hotkeys/HotkeyText.h"

using namespace velmo;
using velmo::test::MainWindowFixture;
using Strings = std::vector<std::string>;

TEST_F(MainWindowFixture, FirstStartShowsDefaultsAndRegistersClickThenStopHotkey) {
  start();
  ClickPanel& panel = main->panel();
  EXPECT_EQ(ToUtf8(panel.cbb1->GetValue()), "左键");
  EXPECT_EQ(ToUtf8(panel.cbb2->GetValue()), "单击");
  EXPECT_EQ(ToUtf8(panel.cbb3->GetValue()), "1");
  EXPECT_EQ(ToUtf8(panel.cbb3->GetStringSelection()), "1");  // what the drop-down highlights
  EXPECT_EQ(ToUtf8(panel.cbb4->GetValue()), "Ctrl");
  EXPECT_EQ(ToUtf8(panel.cbb5->GetValue()), "F3");
  EXPECT_EQ(ToUtf8(panel.edt1->GetValue()), "100");
  EXPECT_EQ(ToUtf8(panel.edt2->GetValue()), "0");
  EXPECT_FALSE(panel.edt2->IsEnabled());
  EXPECT_EQ(main->engine().ClickInterval, 1000);
  EXPECT_TRUE(main->ClickHotkeyRegistered);
  EXPECT_EQ(p.log.entries, (Strings{"UnregisterHotKey(1008)", "RegisterHotKey(1008,2,114)=1",
                                    "UnregisterHotKey(1108)", "RegisterHotKey(1108,0,117)=1"}));
  EXPECT_EQ(status(0), kAppTitle);
}

TEST_F(MainWindowFixture, StoredValuesReachThePanelUnchanged) {
  // GBK: 右键 = D3 D2 BC FC
  writeSettings("[setting]\r\nbtn1=\xD3\xD2\xBC\xFC\r\ntime=0.05\r\nhotkey1=Alt\r\nclick=0100\r\n"
                "stophotkey=Ctrl+Alt+F12\r\n");
  start();
  EXPECT_EQ(ToUtf8(main->panel().cbb1->GetValue()), "右键");
  EXPECT_EQ(ToUtf8(main->panel().cbb3->GetValue()), "0.05");
  EXPECT_EQ(main->panel().cbb3->GetSelection(), wxNOT_FOUND);
  EXPECT_EQ(ToUtf8(main->panel().edt1->GetValue()), "0100");
  EXPECT_EQ(main->engine().ClickInterval, 0);  // no preset: the start value stays
  EXPECT_EQ(p.log.entries.at(1), "RegisterHotKey(1008,1,114)=1");
  EXPECT_EQ(p.log.entries.at(3), "RegisterHotKey(1108,3,123)=1");
  EXPECT_TRUE(std::filesystem::exists(dir / "main.ini"));
}

TEST_F(MainWindowFixture, ErrorInStartupStopsTheLaterStepsAndNamesFileAndKey) {
  writeSettings("[setting]\r\ntime=fast\r\n");
  create();
  const std::string file = (dir / "setting.ini").string();
  try {
    main->FormShow();
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'fast' is not a valid integer value in " + file + ", key time");
  }
  EXPECT_TRUE(p.log.with("RegisterHotKey").empty());
  writeSettings("[setting]\r\nstophotkey=F2147483600\r\n");
  try {
    main->FormShow();
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()),
              "'2147483600' is not a valid integer value in " + file + ", key stophotkey");
  }
  EXPECT_TRUE(p.log.with("RegisterHotKey(1108").empty());
}

TEST_F(MainWindowFixture, SaveWritesTheEightKeysInOrderAndShowsThreeLines) {
  start();
  main->panel().cbb4->SetValue(wxString::FromUTF8("无"));
  main->panel().cbb5->SetValue("F5");
  main->panel().cbb3->SetValue("0.010");
  main->engine().ClickCount = 9;
  main->btn1Click();
  EXPECT_EQ(p.log.with("RegisterHotKey").back(), "RegisterHotKey(1008,0,116)=1");
  const std::string bytes = settingsBytes();
  size_t last = 0;
  for (const char* key : {"btn1=", "btn_type=", "time=0.010", "hotkey1=\xCE\xDE", "hotkey2=F5",
                          "click=100", "xpos=0", "ypos=0"}) {
    const size_t at = bytes.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    last = at;
  }
  EXPECT_EQ(main->engine().ClickInterval, 10);
  EXPECT_EQ(main->engine().ClickCount, 0);
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text,
            "设置保存成功,请记住你设置的 无+F5 启动热键.\r"
            "请按你设置的热键启动点击器,停止的热键也是这个.\r"
            "就是点击器运行后再按一次热键就停止点击器.");
  EXPECT_EQ(p.boxes.shown[0].caption, kMainCaption);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
}

TEST_F(MainWindowFixture, SaveWithTakenHotkeyWritesNothing) {
  writeSettings("[setting]\r\nclick=7\r\n");
  start();
  p.grabber.heldElsewhere.insert({kModControl, 116});
  main->panel().cbb5->SetValue("F5");
  main->panel().edt1->ChangeValue("55");
  main->btn1Click();
  EXPECT_EQ(settingsBytes(), "[setting]\r\nclick=7\r\n");
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconWarning);
  EXPECT_FALSE(main->ClickHotkeyRegistered);
  p.grabber.press(kModControl, 114);  // the old Ctrl+F3 is released too
  EXPECT_FALSE(main->engine().ClickerRunning);
}

TEST_F(MainWindowFixture, SaveWithBadTimeWritesFileThenReportsAndKeepsInterval) {
  start();
  main->panel().cbb3->SetValue("fast");
  EXPECT_THROW(main->btn1Click(), ConvertError);
  EXPECT_NE(settingsBytes().find("time=fast"), std::string::npos);
  EXPECT_EQ(main->engine().ClickInterval, 1000);
  EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(MainWindowFixture, AdvancedJitterIsSavedByThePageAndLoadedBack) {
  start();
  TFrm_Advanced& advanced = main->advanced();
  const auto confirm = [&](const char* text) {
    advanced.FormShow();
    advanced.edt1->ChangeValue(text);
    advanced.btn1Click();
  };
  confirm("25");
  main->btn1Click();
  EXPECT_NE(settingsBytes().find("ypos=0\r\njitter=25\r\n"), std::string::npos);
  EXPECT_EQ(main->engine().ClickJitter, 25);
  confirm("95");
  try {
    main->btn1Click();
    FAIL();
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'95' is not a percentage from 0 to 90 in " +
                                         (dir / "setting.ini").string() + ", key jitter");
  }
  EXPECT_NE(settingsBytes().find("jitter=25\r\n"), std::string::npos);
  main->FormShow();
  advanced.FormShow();
  EXPECT_EQ(ToUtf8(advanced.edt1->GetValue()), "25");
  EXPECT_EQ(main->engine().ClickJitter, 25);
}

TEST_F(MainWindowFixture, AHoldThatDoesNotFitAndAKeyOfOurOwnHotkeysAreRefusedAtSave) {
  start();
  TFrm_Advanced& advanced = main->advanced();
  const auto confirm = [&](const char* hold, const char* key) {
    advanced.FormShow();
    advanced.edt2->ChangeValue(hold);
    advanced.cbb1->SetValue(key);
    advanced.btn1Click();
    p.boxes.shown.clear();
    main->btn1Click();
  };
  main->panel().cbb3->SetValue("0.5");
  confirm("500", kNoKeyText);
  EXPECT_EQ(p.boxes.shown.at(0).text.rfind("按住时间500毫秒太长", 0), 0u);
  confirm("400", "F3");  // the clicker's own Ctrl+F3
  EXPECT_EQ(p.boxes.shown.at(0).text.rfind("按键F3是本程序的热键", 0), 0u);
  EXPECT_EQ(settingsBytes().find("hold="), std::string::npos);
  confirm("400", "Space");
  EXPECT_NE(settingsBytes().find("hold=400\r\nkeypress=Space\r\n"), std::string::npos);
  EXPECT_EQ(main->engine().ClickHold, 400);
  EXPECT_EQ(main->engine().ClickKey, 0x20u);
}

TEST_F(MainWindowFixture, HotkeyTogglesClickerAndTicksUpdateTheStatusBar) {
  writeSettings("[setting]\r\nclick=1\r\n");
  start();
  p.grabber.press(kModControl, 114);
  EXPECT_EQ(status(0), "状态:点击器已经启动");
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(1,1000)");
  EXPECT_TRUE(p.timers.fire(main, ClickTimerId));
  EXPECT_EQ(status(2), "点击次数:0");
  EXPECT_TRUE(p.timers.fire(main, ClickTimerId));
  EXPECT_EQ(status(2), "点击次数:1");
  EXPECT_EQ(status(0), "状态:点击器已经停止");
  EXPECT_FALSE(p.timers.fire(main, ClickTimerId));
}

TEST_F(MainWindowFixture, LimitThatIsNoNumberIsReportedOnceByTheTopLevelReport) {
  start();
  main->panel().edt1->ChangeValue("");
  main->WMHotKey(ClickHotkeyId);
  EXPECT_TRUE(p.timers.fire(main, ClickTimerId));
  EXPECT_FALSE(p.timers.fire(main, ClickTimerId));
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "'' is not a valid integer value.");
  EXPECT_EQ(p.boxes.shown[0].caption, kAppTitle);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconError);
}

TEST_F(MainWindowFixture, FixedPositionSwitchEnablesTheCoordinates) {
  start();
  ClickPanel& panel = main->panel();
  panel.chk1->SetValue(true);
  panel.chk1Click();
  EXPECT_TRUE(panel.edt2->IsEnabled());
  EXPECT_TRUE(panel.edt3->IsEnabled());
  panel.chk1->SetValue(false);
  panel.chk1Click();
  EXPECT_FALSE(panel.edt3->IsEnabled());
  EXPECT_EQ(ToUtf8(panel.edt3->GetValue()), "0");
}

TEST_F(MainWindowFixture, DigitEditsDiscardOnlyPrintableNonDigits) {
  start();
  for (wxTextCtrl* edit : {main->panel().edt1, main->panel().edt2, main->panel().edt3}) {
    const auto typed = [edit](int ch) {
      wxKeyEvent event(wxEVT_CHAR);
      event.m_uniChar = ch;
      event.m_keyCode = ch;
      event.SetEventObject(edit);
      // A handled (not skipped) event is one the filter discarded.
      return !edit->GetEventHandler()->ProcessEvent(event);
    };
    EXPECT_TRUE(typed('7'));
    EXPECT_TRUE(typed(8));
    EXPECT_TRUE(typed(WXK_TAB));  // focus moves on
    EXPECT_FALSE(typed('a'));
    EXPECT_FALSE(typed('-'));
    EXPECT_FALSE(typed(','));
  }
}

TEST_F(MainWindowFixture, StopHotkeySetsTheStopRequest) {
  start();
  p.grabber.press(0, 117);
  EXPECT_EQ(main->StopRequested, "1");
}

TEST_F(MainWindowFixture, AlwaysOnTopFollowsTheSwitch) {
  start();
  EXPECT_FALSE(main->GetWindowStyleFlag() & wxSTAY_ON_TOP);
  main->chk2->SetValue(true);
  main->chk2Click();
  EXPECT_TRUE(main->GetWindowStyleFlag() & wxSTAY_ON_TOP);
  main->chk2->SetValue(false);
  main->chk2Click();
  EXPECT_FALSE(main->GetWindowStyleFlag() & wxSTAY_ON_TOP);
}

TEST_F(MainWindowFixture, CtrlTabTurnsThePagesAndPlainTabDoesNot) {
  create();
  const auto press = [this](bool control, bool shift) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = WXK_TAB;
    event.m_controlDown = control;
    event.m_shiftDown = shift;
    event.SetEventObject(main->panel().cbb1);
    main->GetEventHandler()->ProcessEvent(event);
    return main->pgc1->GetSelection();
  };
  EXPECT_EQ(press(true, false), 1);
  EXPECT_EQ(press(true, false), 0);  // round to the first page
  EXPECT_EQ(press(true, true), 1);
  EXPECT_EQ(press(false, false), 1);
}

TEST_F(MainWindowFixture, LayoutKeepsTheClientAreaAndStatusPanels) {
  create();
  const wxSize client = main->GetClientSize();
  EXPECT_EQ(client.x, 560);
  EXPECT_EQ(client.y + main->stat1->GetSize().y, 461);
  EXPECT_EQ(main->stat1->GetStatusWidth(0), 210);
  EXPECT_EQ(main->pgc1->GetPageCount(), 2u);
  EXPECT_NE(ToUtf8(main->pgc1->GetPageText(1)).find("多点点击"), std::string::npos);
}
