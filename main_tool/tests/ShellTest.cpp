// The shell as the user meets it: start-up, model and language choice, the
// window switch, the exit question, the function menu.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/Profile.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/EcrTilloraDlg.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/PictureFrame.h"
#include "main_tool/shell/SelectDlg.h"
#include "main_tool/shell/UmEvents.h"
#include "main_tool/tests/PartialModelLibrary.h"
#include "main_tool/tests/QtTestSupport.h"
#include "platform/DynamicLibrary.h"
#include "platform/TextCodec.h"

namespace {

std::string Narrow(const std::wstring& text) { return platform::WideToUtf8(text); }

class Shell : public testing::Test {
 protected:
  void SetUp() override { EnsureQApplication(); }
  void TearDown() override { SetFolderChooserHook(nullptr); }

  // The settings file and the model list with the partial test library as "Test".
  void UsePartialLibrary(const std::string& extraDefault = std::string()) {
    work.Write("Ecr.lst", "ARVO-5X Ver1.00=./Arvodll.so\nTest=" + Narrow(PartialLibraryPath()) + "\n");
    work.Write("Tillora.ini", "[DEFAULT]\nEcrName=Test\n" + extraDefault);
  }

  TestLibraryState* PartialState() {
    // The library is loaded once per process: the same state the shell sees.
    static platform::CDynamicLibrary library;
    if (!library.IsOpen()) library.Open(PartialLibraryPath());
    return reinterpret_cast<TestLibraryState* (*)()>(library.Symbol("TestLibraryStateOf"))();
  }

  template <typename Control>
  Control* ControlOf(CEcrTilloraApp& app, int id) {
    return qobject_cast<Control*>(FindControl(app.CurrentWindow(), id));
  }

  WorkingFolder work;
};

TEST_F(Shell, StartsWithDefaultsAndWritesTheSettingsAtExit) {
  MessageBoxRecorder answers(MsgAnswer::Yes);
  int code = -1;
  {
    CEcrTilloraApp app;
    app.Start();
    EXPECT_EQ(app.Library().LoadedPath(), L"./Arvodll.so");
    auto* dialog = qobject_cast<CEcrTilloraDlg*>(app.CurrentWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ARVO-5X Ver1.00 - ./Data"));
    EXPECT_EQ(ControlOf<QComboBox>(app, 1000)->currentText(), QStringLiteral("ARVO-5X Ver1.00"));
    QTimer::singleShot(0, [] { PostAppMessage(UM_ASK_EXIT); });
    code = QApplication::exec();
    app.Exit();
  }
  EXPECT_EQ(code, 0);
  ASSERT_EQ(answers.texts.size(), 1);
  EXPECT_EQ(answers.texts[0], QStringLiteral("Do you really want to exit?"));
  CProfile saved;
  ASSERT_TRUE(saved.Load(L"Tillora.ini"));
  int keys = 0;
  for (const std::wstring& section : saved.Sections()) keys += static_cast<int>(saved.Entries(section).size());
  EXPECT_EQ(keys, 17);
  EXPECT_EQ(saved.GetString(L"DEFAULT", L"EcrName"), L"ARVO-5X Ver1.00");
}

TEST_F(Shell, AnsweringNoToTheExitQuestionKeepsTheScreen) {
  MessageBoxRecorder answers(MsgAnswer::No);
  CEcrTilloraApp app;
  app.Start();
  QWidget* screen = app.CurrentWindow();
  QTimer::singleShot(0, [] { PostAppMessage(UM_ASK_EXIT); });
  QTimer::singleShot(0, [] { QTimer::singleShot(0, [] { QCoreApplication::exit(5); }); });
  EXPECT_EQ(QApplication::exec(), 5);  // 0 would mean the question ended the program
  EXPECT_EQ(answers.texts.size(), 1);
  EXPECT_EQ(app.CurrentWindow(), screen);
  EXPECT_TRUE(screen->isVisible());
}

TEST_F(Shell, EscOnAScreenAsksTheExitQuestion) {
  MessageBoxRecorder answers(MsgAnswer::No);
  CEcrTilloraApp app;
  app.Start();
  QTest::keyClick(app.CurrentWindow(), Qt::Key_Escape);
  ProcessAll();
  EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Do you really want to exit?")});
  EXPECT_TRUE(app.CurrentWindow()->isVisible());
}

TEST_F(Shell, WindowNumbersWithoutAScreenChangeNothing) {
  CEcrTilloraApp app;
  app.Start();
  QWidget* screen = app.CurrentWindow();
  for (int number : {0, 2, 15, 25, -1}) {
    PostAppMessage(UM_SHOW_WINDOW, number);
    ProcessAll();
    EXPECT_EQ(app.CurrentWindow(), screen) << number;
  }
  EXPECT_TRUE(screen->isVisible());
}

TEST_F(Shell, TheNextScreenTakesPlaceAndSizeOfTheCurrentOne) {
  CEcrTilloraApp app;
  app.Start();
  QPointer<QWidget> first = app.CurrentWindow();
  first->setGeometry(120, 90, 700, 460);
  ProcessAll();
  PostAppMessage(UM_SHOW_WINDOW, 16);
  ProcessAll();
  auto* menu = qobject_cast<CSelectDlg*>(app.CurrentWindow());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->geometry(), QRect(120, 90, 700, 460));
  EXPECT_FALSE(menu->isMaximized());
  EXPECT_TRUE(first.isNull());  // the replaced screen is destroyed

  menu->showMaximized();
  ProcessAll();
  QTest::mouseClick(menu->Button(1033), Qt::LeftButton);  // Back
  ProcessAll();
  ASSERT_NE(qobject_cast<CEcrTilloraDlg*>(app.CurrentWindow()), nullptr);
  EXPECT_TRUE(app.CurrentWindow()->isMaximized());
}

TEST_F(Shell, ChoosingTheLoadedModelAgainChangesNothing) {
  UsePartialLibrary();
  CEcrTilloraApp app;
  app.Start();
  ASSERT_EQ(app.Library().LoadedPath(), PartialLibraryPath());
  const int setFolderCalls = PartialState()->nSetFolderCalls;
  EXPECT_EQ(std::wstring(PartialState()->szLastFolder), L"./Data");
  auto* models = ControlOf<QComboBox>(app, 1000);
  ASSERT_EQ(models->currentText(), QStringLiteral("Test"));
  emit models->activated(models->currentIndex());
  ProcessAll();
  EXPECT_EQ(PartialState()->nSetFolderCalls, setFolderCalls);
  EXPECT_EQ(app.Library().LoadedPath(), PartialLibraryPath());

  // Another model loads its library and attaches it to the data folder.
  models->setCurrentIndex(models->findText(QStringLiteral("ARVO-5X Ver1.00")));
  emit models->activated(models->currentIndex());
  ProcessAll();
  EXPECT_EQ(app.Library().LoadedPath(), L"./Arvodll.so");
  EXPECT_EQ(app.Config().m_strEcrName, L"ARVO-5X Ver1.00");
}

TEST_F(Shell, LanguagesComeFromTheModelsCaptionFiles) {
  work.WriteCaptionFile("Cap/ARVODLL_ENG.Cap", "");
  work.WriteCaptionFile("Cap/arvodll_jpn.cap", "");
  work.WriteCaptionFile("Cap/OTHER_FRA.Cap", "");
  // A model name not in the list: nothing is loaded (and no caption file
  // created) at start, and the first model is shown selected.
  work.Write("Ecr.lst", "ARVO-5X Ver1.00=./Arvodll.so\n");
  work.Write("Tillora.ini", "[DEFAULT]\nEcrName=Gone\nLanguage=en\n");
  CEcrTilloraApp app;
  app.Start();
  EXPECT_FALSE(app.Library().IsLoaded());
  EXPECT_EQ(ControlOf<QComboBox>(app, 1000)->currentText(), QStringLiteral("ARVO-5X Ver1.00"));
  auto* languages = ControlOf<QComboBox>(app, 1018);
  QStringList shown;
  for (int i = 0; i < languages->count(); ++i) shown << languages->itemText(i);
  shown.sort();
  EXPECT_EQ(shown, (QStringList{QStringLiteral("ENG"), QStringLiteral("JPN")}));
  EXPECT_EQ(languages->currentText(), QStringLiteral("ENG"));  // prefix "en", any case
  EXPECT_EQ(app.Config().m_strLanguage, L"en");                 // not changed by the list

  // Choosing the model loads it; choosing a language stores it and opens
  // that model's caption file for it.
  auto* models = ControlOf<QComboBox>(app, 1000);
  emit models->activated(models->currentIndex());
  ProcessAll();
  EXPECT_TRUE(app.Library().IsLoaded());
  languages->setCurrentIndex(languages->findText(QStringLiteral("JPN")));
  emit languages->activated(languages->currentIndex());
  ProcessAll();
  EXPECT_EQ(app.Config().m_strLanguage, L"JPN");
  EXPECT_NE(app.CaptionManager().CaptionFilePath().find(L"ARVODLL_JPN.CAP"), std::wstring::npos);
}

TEST_F(Shell, AModelWithoutCaptionFilesLeavesSelectWithItsShortText) {
  UsePartialLibrary();
  CEcrTilloraApp app;
  app.Start();
  auto* models = ControlOf<QComboBox>(app, 1000);
  emit models->activated(models->currentIndex());
  ProcessAll();
  EXPECT_EQ(ControlOf<QComboBox>(app, 1018)->count(), 0);
  EXPECT_EQ(ControlOf<QPushButton>(app, 1001)->text(), QStringLiteral("Select(&S)"));
}

TEST_F(Shell, SelectRefusesWithoutALoadedLibrary) {
  work.Write("Ecr.lst", "Broken=./NoSuchLibrary.so\n");
  work.Write("Tillora.ini", "[DEFAULT]\nEcrName=Broken\n");
  MessageBoxRecorder answers(MsgAnswer::Ok);
  CEcrTilloraApp app;
  app.Start();
  QWidget* screen = app.CurrentWindow();
  QTest::mouseClick(ControlOf<QPushButton>(app, 1001), Qt::LeftButton);
  ProcessAll();
  EXPECT_EQ(answers.texts, QStringList{QStringLiteral("System DLL of selected ECR was not able to be read")});
  EXPECT_EQ(app.CurrentWindow(), screen);
}

TEST_F(Shell, LibraryWindowsAreHandedBackToTheLibrary) {
  UsePartialLibrary();
  CEcrTilloraApp app;
  app.Start();
  const int deleted = PartialState()->nDeleteCalls;
  app.ShowWindow(kTestLibraryWindow);
  EXPECT_TRUE(app.CurrentIsLibraryWindow());
  EXPECT_EQ(app.CurrentWindow()->property("text").toString(), QStringLiteral("library window"));
  // A model change leaves the library's screen for the model selection first.
  app.ChangeModel(L"./Arvodll.so");
  EXPECT_EQ(PartialState()->nDeleteCalls, deleted + 1);
  EXPECT_FALSE(app.CurrentIsLibraryWindow());
  EXPECT_NE(qobject_cast<CEcrTilloraDlg*>(app.CurrentWindow()), nullptr);
}

TEST_F(Shell, PicturesDrawTheirKeyColourTransparent) {
  QImage picture(4, 2, QImage::Format_RGB32);
  picture.fill(QColor(254, 0, 0));
  picture.setPixel(1, 1, qRgb(255, 0, 0));  // close to the key colour, but not it
  ASSERT_TRUE(picture.save(QString::fromStdString(work.Path("Logo.bmp")), "BMP"));
  CPictureFrame frame(nullptr);
  ASSERT_TRUE(frame.LoadPicture(QStringLiteral("./logo.BMP")));  // names match in any case
  EXPECT_EQ(qAlpha(frame.Picture().pixel(0, 0)), 0);
  EXPECT_EQ(frame.Picture().pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_FALSE(frame.LoadPicture(QStringLiteral("./Missing.bmp")));
  EXPECT_TRUE(frame.Picture().isNull());
}

// Function menu with the real model library.
class FunctionMenu : public Shell {
 protected:
  CSelectDlg* OpenMenu(CEcrTilloraApp& app) {
    app.Start();
    app.ShowWindow(16);
    return qobject_cast<CSelectDlg*>(app.CurrentWindow());
  }
  static constexpr int kDataButtons[] = {1034, 1011, 1014, 1032, 1035, 1037, 1030, 1027};
  static constexpr int kAlwaysEnabled[] = {1031, 1017, 1022, 1024, 1033};
};

TEST_F(FunctionMenu, EmptyDataFolderDisablesTheDataButtons) {
  std::filesystem::create_directory(work.Path("Data"));
  CEcrTilloraApp app;
  CSelectDlg* menu = OpenMenu(app);
  ASSERT_NE(menu, nullptr);
  for (int id : kDataButtons) {
    EXPECT_FALSE(menu->Button(id)->isHidden()) << id;
    EXPECT_FALSE(menu->Button(id)->isEnabled()) << id;
  }
  for (int id : kAlwaysEnabled) EXPECT_TRUE(menu->Button(id)->isEnabled()) << id;
  EXPECT_TRUE(menu->Button(1038)->isHidden());  // "Resurve": no object for window 25
  EXPECT_EQ(menu->windowTitle(), QStringLiteral("ARVO-5X Ver1.00 - ./Data"));
}

TEST_F(FunctionMenu, FullDataFolderEnablesThemAfterTheFolderIsChosen) {
  for (const char* name : {"DEPT.ECR", "PLU.ECR", "CLERK.ECR", "S_MODE.ECR", "PRG_MODE.ECR", "FINC0001.ecr", "x.csv"})
    work.Write(std::string("Full/") + name, "x");
  std::filesystem::create_directory(work.Path("Data"));
  MessageBoxRecorder answers(MsgAnswer::Ok);
  QString askedTitle;
  SetFolderChooserHook([&](const QString& title, const QString&) {
    askedTitle = title;
    return QString::fromStdString(work.Path("Full") + "/");
  });
  CEcrTilloraApp app;
  CSelectDlg* menu = OpenMenu(app);
  ASSERT_NE(menu, nullptr);
  QTest::mouseClick(menu->Button(1024), Qt::LeftButton);
  ProcessAll();
  EXPECT_EQ(askedTitle, QStringLiteral("Select EcrData Folder"));
  EXPECT_TRUE(answers.texts.isEmpty());  // nothing unsaved: no question
  EXPECT_EQ(app.Config().m_strDataPath, platform::Utf8ToWide(work.Path("Full")));
  for (int id : kDataButtons) EXPECT_TRUE(menu->Button(id)->isEnabled()) << id;
  EXPECT_TRUE(menu->Button(1038)->isHidden());
  EXPECT_TRUE(menu->Button(1024)->isEnabled());
  EXPECT_EQ(menu->windowTitle(), QStringLiteral("ARVO-5X Ver1.00 - ") + QString::fromStdString(work.Path("Full")));
}

TEST_F(FunctionMenu, AReloadedObjectSeesItsNewFileAndTheMenuFollows) {
  std::filesystem::create_directory(work.Path("Data"));
  CEcrTilloraApp app;
  CSelectDlg* menu = OpenMenu(app);
  ASSERT_NE(menu, nullptr);
  ASSERT_FALSE(menu->Button(1034)->isEnabled());
  work.Write("Data/DEPT.ECR", "x");  // as after receiving the file
  PostAppMessage(UM_RELOAD_DATA, 2, 17);  // neither a window number nor an index: ignored
  ProcessAll();
  EXPECT_FALSE(menu->Button(1034)->isEnabled());
  PostAppMessage(UM_RELOAD_DATA, 0, 17);
  ProcessAll();
  EXPECT_TRUE(menu->Button(1034)->isEnabled());
  work.Write("Data/PLU.ECR", "x");
  PostAppMessage(UM_RELOAD_DATA, 1, 1);  // index 1: the PLU object
  ProcessAll();
  EXPECT_TRUE(menu->Button(1011)->isEnabled());
}

TEST_F(FunctionMenu, CancellingTheFolderChooserChangesNothing) {
  SetFolderChooserHook([](const QString&, const QString&) { return QString(); });
  CEcrTilloraApp app;
  CSelectDlg* menu = OpenMenu(app);
  ASSERT_NE(menu, nullptr);
  QTest::mouseClick(menu->Button(1024), Qt::LeftButton);
  ProcessAll();
  EXPECT_EQ(app.Config().m_strDataPath, L"./Data");
  EXPECT_TRUE(menu->Button(1024)->isEnabled());
}

TEST_F(FunctionMenu, ALibraryWithoutDataObjectsHidesTheirButtons) {
  UsePartialLibrary();
  CEcrTilloraApp app;
  CSelectDlg* menu = OpenMenu(app);
  ASSERT_NE(menu, nullptr);
  for (int id : kDataButtons) EXPECT_TRUE(menu->Button(id)->isHidden()) << id;
  for (int id : kAlwaysEnabled) EXPECT_FALSE(menu->Button(id)->isHidden()) << id;
}

}  // namespace
