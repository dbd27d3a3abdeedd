// The dialog host and the caption editor: captions bound to controls, right
// click caption editing, proportional resizing, Esc on a modal dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/Profile.h"
#include "main_tool/captions/CaptionEditer.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/EcrDialog.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/SelectDlg.h"
#include "main_tool/shell/UmEvents.h"
#include "main_tool/tests/QtTestSupport.h"
#include "platform/TextCodec.h"

namespace {

constexpr char kSep[] = "\xE2\xBF\xBF";  // U+2FFF, the field separator of caption lines

// A caption line: font numbers, face, text, tool-tip flag and text.
std::string CaptionLine(int height, const std::string& face, const std::string& text, int toolTip = 0,
                        const std::string& toolTipText = " ") {
  std::string line = std::to_string(height);
  for (int i = 0; i < 12; ++i) line += std::string(kSep) + (i == 3 ? "700" : "0");
  return line + kSep + face + kSep + text + kSep + std::to_string(toolTip) + kSep + toolTipText;
}

// A dialog with one control of each resizing kind.
class LayoutDialog : public CEcrDialog {
 public:
  LayoutDialog() : CEcrDialog(999, 0x30) {
    grid = new QTableView(this);
    grid->setGeometry(10, 10, 200, 100);
    list = new QListWidget(this);
    list->setGeometry(220, 10, 80, 100);
    button = new QPushButton(QStringLiteral("OK"), this);
    button->setGeometry(10, 120, 80, 30);
    SetTemplateSize(320, 160);
  }
  QTableView* grid;
  QListWidget* list;
  QPushButton* button;
};

class DialogHost : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQApplication();
    work.Write("Tillora.ini", "[DEFAULT]\nLanguage=ENG\n[OPTION]\nCapEdit=" + std::string(CapEdit()) + "\n");
    work.WriteCaptionFile("Cap/ARVODLL_ENG.Cap", "[0]\n1=" + CaptionLine(20, "DejaVu Sans", "Really leave?") +
                                                     "\n[16]\n0=" + CaptionLine(12, "DejaVu Sans", "Function menu") +
                                                     "\n1=" + CaptionLine(18, "DejaVu Serif", "Departments", 1,
                                                                          "Edit the departments") + "\n");
    app = std::make_unique<CEcrTilloraApp>();
    app->Start();
    app->ShowWindow(16);
    ProcessAll();
    menu = qobject_cast<CSelectDlg*>(app->CurrentWindow());
  }
  void TearDown() override { app.reset(); }
  virtual const char* CapEdit() const { return "1"; }

  // Right click on the control; the editor, when one comes up, is handed to `act`.
  bool RightClick(QWidget* control, const std::function<void(CCaptionEditer*)>& act) {
    return WithModalDialog([control] { QTest::mouseClick(control, Qt::RightButton); },
                           [&](QWidget* modal) {
                             auto* editor = qobject_cast<CCaptionEditer*>(modal);
                             if (editor) act(editor);
                             static_cast<QDialog*>(modal)->reject();
                           });
  }

  WorkingFolder work;
  std::unique_ptr<CEcrTilloraApp> app;
  CSelectDlg* menu = nullptr;
};

class DialogHostWithoutCaptionEditing : public DialogHost {
  const char* CapEdit() const override { return "0"; }
};

TEST_F(DialogHost, BoundControlsShowTheirCaptionWithFontAndToolTip) {
  ASSERT_NE(menu, nullptr);
  QPushButton* dept = menu->Button(1034);
  EXPECT_EQ(dept->text(), QStringLiteral("Departments"));
  EXPECT_EQ(dept->font().pixelSize(), 18);
  EXPECT_EQ(dept->font().weight(), 700);
  EXPECT_EQ(dept->toolTip(), QStringLiteral("Edit the departments"));
  EXPECT_EQ(menu->Button(1011)->text(), QStringLiteral("PLU"));  // no caption: template text
  EXPECT_TRUE(menu->Button(1011)->toolTip().isEmpty());
}

TEST_F(DialogHost, ACaptionAddedLaterIsShownAfterTheRefresh) {
  ASSERT_NE(menu, nullptr);
  S_ECR_CAP caption;
  caption.font.lfHeight = -14;
  caption.text = L"Price\r\nlook-ups";
  app->CaptionManager().SetCaption(16, 2, &caption);
  EXPECT_EQ(menu->Button(1011)->text(), QStringLiteral("PLU"));
  CUmEvent refresh(UM_REFRESH_WINDOW);
  QCoreApplication::sendEvent(menu, &refresh);
  EXPECT_EQ(menu->Button(1011)->text(), QStringLiteral("Price\nlook-ups"));
  EXPECT_EQ(menu->Button(1011)->font().pixelSize(), 14);
}

TEST_F(DialogHost, RightClickOnADisabledButtonEditsItsCaptionAndTheFileGetsIt) {
  ASSERT_NE(menu, nullptr);
  QPushButton* plu = menu->Button(1011);
  ASSERT_FALSE(plu->isEnabled());  // no data folder: the PLU button is disabled
  bool opened = RightClick(plu, [](CCaptionEditer* editor) {
    EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(editor, 3020))->text(), QStringLiteral("10"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(editor, 3019))->text(), QStringLiteral("2"));
    EXPECT_EQ(qobject_cast<QLabel*>(FindControl(editor, 3021))->text(), QStringLiteral("Function menu"));
    EXPECT_TRUE(qobject_cast<QLineEdit*>(FindControl(editor, 3023))->text().isEmpty());
    EXPECT_EQ(editor->FontDescription().lfHeight, 12);  // a new caption starts in the default font
    EXPECT_EQ(FaceName(editor->FontDescription()), QStringLiteral("MS UI Gothic"));
    qobject_cast<QLineEdit*>(FindControl(editor, 3023))->setText(QStringLiteral("PLU list"));
    QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(editor, 3016)), Qt::LeftButton);  // Update
    QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(editor, 1)), Qt::LeftButton);     // Close
  });
  ASSERT_TRUE(opened);
  EXPECT_EQ(plu->text(), QStringLiteral("PLU list"));

  app->CaptionManager().FlushCaptions();
  CProfile file(CProfile::Encoding::Utf16Le);
  ASSERT_TRUE(file.Load(work.Folder().WPath() + L"/Cap/ARVODLL_ENG.Cap"));
  const std::wstring line = file.GetString(L"16", L"2");
  EXPECT_NE(line.find(L"PLU list"), std::wstring::npos) << platform::WideToUtf8(line);
  EXPECT_NE(line.find(L"MS UI Gothic"), std::wstring::npos);
}

TEST_F(DialogHost, EscInTheEditorKeepsTheOldTextUntilTheNextRefresh) {
  ASSERT_NE(menu, nullptr);
  QPushButton* dept = menu->Button(1034);
  ASSERT_TRUE(RightClick(dept, [](CCaptionEditer* editor) {
    EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(editor, 3023))->text(), QStringLiteral("Departments"));
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(FindControl(editor, 3026))->toPlainText(),
              QStringLiteral("Edit the departments"));
    qobject_cast<QCheckBox*>(FindControl(editor, 3025))->click();  // tool tip off, text kept
    qobject_cast<QLineEdit*>(FindControl(editor, 3023))->setText(QStringLiteral("DEPT new"));
    QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(editor, 3016)), Qt::LeftButton);
    QTest::keyClick(editor, Qt::Key_Escape);
  }));
  EXPECT_EQ(dept->text(), QStringLiteral("Departments"));
  const S_ECR_CAP* cached = app->CaptionManager().GetCaption(16, 1);
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(cached->nToolTip, 0);
  EXPECT_EQ(cached->toolTip, L"Edit the departments");
  CUmEvent refresh(UM_REFRESH_WINDOW);
  QCoreApplication::sendEvent(menu, &refresh);
  EXPECT_EQ(dept->text(), QStringLiteral("DEPT new"));
  EXPECT_TRUE(dept->toolTip().isEmpty());
}

TEST_F(DialogHost, RightClickOnAnUnboundControlOpensNothingAndTheNextOneWorks) {
  app->ShowWindow(1);
  ProcessAll();
  QWidget* screen = app->CurrentWindow();
  QLabel* unbound = nullptr;
  for (QLabel* label : screen->findChildren<QLabel*>())
    if (ControlIdOf(label) == 0) unbound = label;
  ASSERT_NE(unbound, nullptr);
  EXPECT_FALSE(RightClick(unbound, [](CCaptionEditer*) {}));
  EXPECT_TRUE(RightClick(FindControl(screen, 1001), [](CCaptionEditer* editor) {
    EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(editor, 3020))->text(), QStringLiteral("1"));
  }));
}

TEST_F(DialogHostWithoutCaptionEditing, RightClickDoesNothingSpecial) {
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(RightClick(menu->Button(1034), [](CCaptionEditer*) {}));
}

TEST_F(DialogHost, TheExitQuestionComesFromTheCaptionFile) {
  MessageBoxRecorder answers(MsgAnswer::No);
  app->AskExit();
  EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Really leave?")});
}

TEST(DialogHostLayout, ResizingMovesButtonsAndStretchesGridsAndLists) {
  EnsureQApplication();
  LayoutDialog dialog;
  dialog.show();
  QCoreApplication::processEvents();
  dialog.resize(420, 210);  // 100 wider, 50 taller
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.button->geometry(), QRect(110, 170, 80, 30));
  EXPECT_EQ(dialog.grid->geometry(), QRect(10, 10, 300, 150));
  EXPECT_EQ(dialog.list->geometry(), QRect(220, 10, 80, 150));
  dialog.resize(320, 160);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.button->geometry(), QRect(10, 120, 80, 30));
}

TEST(DialogHostLayout, EscCancelsAModalDialog) {
  EnsureQApplication();
  MessageBoxRecorder answers(MsgAnswer::Yes);
  LayoutDialog dialog;
  int result = -1;
  EXPECT_TRUE(WithModalDialog([&] { result = dialog.DoModal(); },
                              [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }));
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_TRUE(answers.texts.isEmpty());
}

TEST(CaptionFont, LogFontNumbersMakeTheFontAndComeBack) {
  EnsureQApplication();
  S_LOGFONT logFont;
  logFont.lfHeight = -20;
  logFont.lfWeight = 700;
  logFont.lfItalic = 1;
  logFont.lfPitchAndFamily = FF_SWISS;
  SetFaceName(logFont, QStringLiteral("DejaVu Sans"));
  const QFont font = FontFromLogFont(logFont);
  EXPECT_EQ(font.pixelSize(), 20);
  EXPECT_EQ(font.weight(), 700);
  EXPECT_TRUE(font.italic());
  const S_LOGFONT back = LogFontFromFont(font, logFont);
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(back.lfWeight, 700);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(FaceName(back), QStringLiteral("DejaVu Sans"));
}

TEST(CaptionEditerAlone, ShowsTableCaptionWindowInHexAndStoresUnderIt) {
  EnsureQApplication();
  WorkingFolder work;
  CEcrTilloraApp app;
  app.CaptionManager().OpenCaptionFile(L"./Cap", L"M", L"ENG");
  CCaptionEditer editor(WND_TABLE_CAPTIONS, 7, nullptr);
  EXPECT_EQ(qobject_cast<QLineEdit*>(FindControl(&editor, 3020))->text(), QStringLiteral("10000000"));
  EXPECT_EQ(qobject_cast<QLabel*>(FindControl(&editor, 3021))->text(), QStringLiteral("Unknown Window"));
  qobject_cast<QLineEdit*>(FindControl(&editor, 3023))->setText(QStringLiteral("Unit price"));
  QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(&editor, 3016)), Qt::LeftButton);
  EXPECT_TRUE(editor.Changed());
  const S_ECR_CAP* stored = app.CaptionManager().GetCaption(WND_TABLE_CAPTIONS, 7);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->text, L"Unit price");
  EXPECT_EQ(stored->nToolTip, 1);
}

}  // namespace
