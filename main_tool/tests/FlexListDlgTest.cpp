// The table editor window on a data object made in the test: initialisation
// and its refusals, the buttons and their rules, the record card and caption
// editing requests, header tool tips, resizing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "main_tool/captions/CaptionEditer.h"
#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/SelectDlg.h"
#include "main_tool/shell/UmEvents.h"
#include "main_tool/tests/EditingSupport.h"

namespace {

enum { T_SETTINGS, T_RECORDS, T_LOW };

const std::vector<FieldDef> kSettingFields = {
    {L"RATE", 51, 0x2801, 2, INPUT_EDIT, CHECK_RANGE, 0, 99, 0, NO_LIST},
    {L"LIMIT", 52, 0x2802, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 2, NO_LIST},
};
const std::vector<FieldDef> kRecordFields = {
    {L"CODE", 61, 0x2B04, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
    {L"NAME", 62, 0x2400, 12, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
};

class TableEditor : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQApplication();
    work.Write("Tillora.ini", "[DEFAULT]\nLanguage=ENG\nDataPath=./Data\n[OPTION]\nAutoPopup=0\n");
    work.WriteCaptionFile("Cap/ARVODLL_ENG.Cap", "[0]\n11=" + CaptionLine("Basic") + "\n12=" + CaptionLine("Dealer") +
                                                     "\n[17]\n2=" + CaptionLine("Write") +
                                                     "\n[268435456]\n71=" + CaptionLine("Listed records") + "\n62=" +
                                                     CaptionLine("Name", "The record's name") + "\n61=" +
                                                     CaptionLine("Code", std::string(80, 'x')) + "\n");
    app = std::make_unique<CEcrTilloraApp>();
    app->Start();  // binds the model library: its caption file is read
    data.AddTable({70, L"SETTINGS", 1, -1, 2}, kSettingFields);
    data.AddTable({71, L"RECORDS", 5, 0, 98}, kRecordFields);
    data.AddTable({72, L"LOW", 2, -1, 0}, kSettingFields);
  }
  void TearDown() override {
    editor.reset();
    app.reset();
    SetFileChooserHook(nullptr);
  }

  CFlexListDlg& Open(int32_t window = 17) {
    editor = std::make_unique<CFlexListDlg>(window, &data);
    editor->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    return *editor;
  }
  QPushButton* Button(int id) { return editor->Button(id); }
  QStringList Listed() {
    QStringList texts;
    for (int row = 0; row < editor->TableList()->count(); ++row) texts << editor->TableList()->item(row)->text();
    return texts;
  }
  bool BackToTheMenu() {
    ProcessAll();
    return qobject_cast<CSelectDlg*>(app->CurrentWindow()) != nullptr;
  }

  WorkingFolder work;
  MessageBoxRecorder boxes{MsgAnswer::Ok};
  std::unique_ptr<CEcrTilloraApp> app;
  CTestData data;
  std::unique_ptr<CFlexListDlg> editor;
};

TEST_F(TableEditor, ListsTheTablesAndShowsTheFirst) {
  CFlexListDlg& dialog = Open();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ARVO-5X Ver1.00 - ./Data"));
  EXPECT_EQ(data.nLoads, 1);
  EXPECT_EQ(Listed(), (QStringList{QStringLiteral("SETTINGS"), QStringLiteral("Listed records"), QStringLiteral("LOW")}));
  EXPECT_EQ(dialog.TableList()->currentRow(), 0);
  EXPECT_EQ(dialog.Grid()->Table(), data.GetTable(T_SETTINGS));
  EXPECT_EQ(Button(CFlexListDlg::IDC_UPDATE)->text(), QStringLiteral("Write"));
  EXPECT_EQ(Button(CFlexListDlg::IDC_SORT)->text(), QString::fromUtf8("ソート")) << "no caption: template text";
  EXPECT_TRUE(Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
  EXPECT_TRUE(Button(CFlexListDlg::IDC_DUMP)->isVisible());
  EXPECT_FALSE(Button(CFlexListDlg::IDC_SORT)->isVisible());
  EXPECT_FALSE(Button(CFlexListDlg::IDC_IMPORT_CSV)->isVisible());
  EXPECT_TRUE(Button(CFlexListDlg::IDC_BACK)->isDefault());
  auto* levels = qobject_cast<QComboBox*>(FindControl(&dialog, CFlexListDlg::IDC_LEVEL_LIST));
  ASSERT_NE(levels, nullptr);
  EXPECT_FALSE(levels->isVisible());
  EXPECT_EQ(levels->count(), 2);
  EXPECT_EQ(levels->currentIndex(), 0);
}

TEST_F(TableEditor, TheDisplayLevelFiltersTablesAndFields) {
  app->Config().m_nLevel = 1;
  CFlexListDlg& dialog = Open();
  EXPECT_EQ(Listed(), (QStringList{QStringLiteral("SETTINGS"), QStringLiteral("Listed records")}));
  EXPECT_TRUE(dialog.Grid()->isColumnHidden(0)) << "RATE is of level 0";
  EXPECT_FALSE(dialog.Grid()->isColumnHidden(1));
  EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(TableEditor, WithoutLevelNamesTheGridShowsEveryField) {
  work.WriteCaptionFile("Cap/ARVODLL_ENG.Cap", "[17]\n2=" + CaptionLine("Write") + "\n");
  app.reset();
  app = std::make_unique<CEcrTilloraApp>();
  app->Start();
  app->Config().m_nLevel = 1;
  CFlexListDlg& dialog = Open();
  EXPECT_EQ(Listed().size(), 2) << "the table list still follows the level";
  EXPECT_FALSE(dialog.Grid()->isColumnHidden(0));
}

TEST_F(TableEditor, NoTableAtTheLevelOrNoDataObjectReturnsToTheMenu) {
  struct Case {
    int level;
    bool withData;
    const char* message;
  };
  const Case cases[] = {
      {99, true, "There is no data that can be displayed at the current level"},
      {-1, true, "There is no data that can be displayed at the current level"},
      {0, false, "There is no pertinent data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    app->ShowWindow(1);
    app->Config().m_nLevel = c.level;
    boxes.texts.clear();
    editor = std::make_unique<CFlexListDlg>(18, c.withData ? &data : nullptr);
    EXPECT_EQ(boxes.texts, QStringList{QString::fromLatin1(c.message)});
    EXPECT_TRUE(BackToTheMenu());
    EXPECT_FALSE(editor->Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
  }
}

TEST_F(TableEditor, UpdateIsOffWhenTheFileDidNotLoad) {
  data.nLoadResult = 0;
  Open();
  EXPECT_FALSE(Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
  EXPECT_EQ(editor->Grid()->Table(), data.GetTable(T_SETTINGS)) << "the rows are shown all the same";
}

TEST_F(TableEditor, AnObjectLoadedBeforeIsNotLoadedAgain) {
  data.m_bLoaded = 1;
  Open();
  EXPECT_EQ(data.nLoads, 0);
}

TEST_F(TableEditor, ChoosingATableShowsItAndItsButtons) {
  Open();
  editor->TableList()->setCurrentRow(1);
  EXPECT_EQ(editor->Grid()->Table(), data.GetTable(T_RECORDS));
  EXPECT_TRUE(Button(CFlexListDlg::IDC_SORT)->isVisible());
  EXPECT_TRUE(Button(CFlexListDlg::IDC_IMPORT_CSV)->isVisible());
  editor->TableList()->setCurrentRow(2);
  EXPECT_EQ(editor->SelectedTableIndex(), T_LOW);
  EXPECT_FALSE(Button(CFlexListDlg::IDC_SORT)->isVisible());
  EXPECT_FALSE(Button(CFlexListDlg::IDC_IMPORT_CSV)->isVisible());
  EXPECT_TRUE(Button(CFlexListDlg::IDC_DUMP)->isVisible());
}

TEST_F(TableEditor, UpdateSavesAndReportsTheOutcome) {
  Open();
  data.m_nChanges = 4;
  Button(CFlexListDlg::IDC_UPDATE)->click();
  EXPECT_EQ(data.nSaves, 1);
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Update Success")});
  EXPECT_EQ(data.m_nChanges, 0) << "nothing is left unsaved";

  boxes.texts.clear();
  data.nSaveResult = 0;
  data.m_nChanges = 2;
  MsgIcon icon = MsgIcon::Information;
  SetMessageBoxHook([&](const MessageBoxRequest& request) {
    boxes.texts << request.text;
    icon = request.icon;
    return MsgAnswer::Ok;
  });
  Button(CFlexListDlg::IDC_UPDATE)->click();
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Update Fail\nThe unique key (PLU code etc.) overlaps")});
  EXPECT_EQ(icon, MsgIcon::NoIcon);
  EXPECT_EQ(data.m_nChanges, 2);
}

TEST_F(TableEditor, SortSortsTheSelectedTable) {
  Open();
  editor->TableList()->setCurrentRow(1);
  Button(CFlexListDlg::IDC_SORT)->click();
  EXPECT_EQ(data.lstSorted, std::vector<int>{T_RECORDS});
}

TEST_F(TableEditor, DumpAndImportAskForAFileAndReportSuccess) {
  std::vector<FileDialogRequest> requests;
  QString answer = QStringLiteral("/tmp/out.txt");
  SetFileChooserHook([&](const FileDialogRequest& request) {
    requests.push_back(request);
    return answer;
  });
  Open();
  editor->TableList()->setCurrentRow(1);
  Button(CFlexListDlg::IDC_DUMP)->click();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].mode, FileDialogMode::Save);
  EXPECT_EQ(requests[0].filter, QStringLiteral("Text Files (*.txt);;Csv Files (*.csv);;All Files (*)"));
  ASSERT_EQ(data.lstExports.size(), 1u);
  EXPECT_EQ(data.lstExports[0], std::make_pair(int{T_RECORDS}, std::wstring(L"/tmp/out.txt")));
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Success")});

  boxes.texts.clear();
  answer = QStringLiteral("/tmp/in.csv");
  data.nTextResult = 0;
  SetValueAt(*data.GetTable(T_RECORDS), 0, 1, L"IMPORTED");  // as a failed import may leave it
  Button(CFlexListDlg::IDC_IMPORT_CSV)->click();
  EXPECT_EQ(requests.back().mode, FileDialogMode::Open);
  EXPECT_EQ(requests.back().defaultSuffix, QStringLiteral("csv"));
  EXPECT_EQ(data.lstImports.size(), 1u);
  EXPECT_TRUE(boxes.texts.isEmpty()) << "a failure shows nothing";
  EXPECT_EQ(editor->Grid()->model()->index(0, 1).data().toString(), QStringLiteral("IMPORTED"));
  EXPECT_GT(data.m_nChanges, 0);

  answer.clear();  // cancelled
  Button(CFlexListDlg::IDC_DUMP)->click();
  Button(CFlexListDlg::IDC_IMPORT_CSV)->click();
  EXPECT_EQ(data.lstExports.size(), 1u);
  EXPECT_EQ(data.lstImports.size(), 1u);
}

TEST_F(TableEditor, BackReturnsToTheFunctionMenu) {
  Open();
  Button(CFlexListDlg::IDC_BACK)->click();
  EXPECT_TRUE(BackToTheMenu());
}

TEST_F(TableEditor, TheReportViewerIsReadOnly) {
  CTestData reports(KIND_CSV_REPORTS);
  reports.AddTable({0, L"FINC 20240101", 3, -1, 98}, {{L"ITEM", 1, 0x400, 20, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST}});
  app->Config().m_nAutoPopup = 1;
  editor = std::make_unique<CFlexListDlg>(24, &reports);
  editor->show();
  ProcessAll();
  EXPECT_FALSE(Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
  EXPECT_FALSE(Button(CFlexListDlg::IDC_DUMP)->isVisible());
  EXPECT_TRUE(Button(CFlexListDlg::IDC_IMPORT_CSV)->isVisible());
  EXPECT_FALSE(editor->Grid()->model()->index(0, 0).flags() & Qt::ItemIsEditable);
  const bool card = WithModalDialog(
      [&] {
        QHeaderView* rows = editor->Grid()->verticalHeader();
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, QPoint(5, rows->sectionViewportPosition(0) + 3));
      },
      [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(card) << "no record card, neither automatic nor by right click";
}

TEST_F(TableEditor, TheAutomaticRecordCardOpensOnRecordOneOfEachTable) {
  app->Config().m_nAutoPopup = 1;
  std::vector<std::pair<stTable_t*, int>> cards;
  const auto note = [&cards](QWidget* modal) {
    auto* card = qobject_cast<CCardDlg*>(modal);
    if (card) cards.emplace_back(card->Table(), card->RecordNumber());
    static_cast<QDialog*>(modal)->reject();
  };
  EXPECT_TRUE(WithModalDialog([this] { Open(); }, note));
  EXPECT_TRUE(WithModalDialog([this] { editor->TableList()->setCurrentRow(1); }, note));
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0], std::make_pair(data.GetTable(T_SETTINGS), 1));
  EXPECT_EQ(cards[1], std::make_pair(data.GetTable(T_RECORDS), 1));
}

TEST_F(TableEditor, HeaderTipsShowAfterTwoMovesInOneHeaderCell) {
  Open();
  editor->TableList()->setCurrentRow(1);
  QWidget* header = editor->Grid()->horizontalHeader()->viewport();
  const auto inColumn = [this](int field) {
    return QPoint(editor->Grid()->horizontalHeader()->sectionViewportPosition(field) + 4, 5);
  };
  QTest::mouseMove(header, inColumn(1));
  EXPECT_FALSE(QToolTip::isVisible()) << "one move is not enough";
  QTest::mouseMove(header, inColumn(1) + QPoint(2, 0));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("The record's name"));
  QTest::mouseMove(header, inColumn(0));
  QTest::mouseMove(header, inColumn(0) + QPoint(2, 0));
  for (int wait = 0; wait < 100 && QToolTip::isVisible(); ++wait) QTest::qWait(20);  // the tip fades
  EXPECT_FALSE(QToolTip::isVisible()) << "a tip of 80 characters is not shown";
}

TEST_F(TableEditor, ColumnCaptionsAreEditedWhenCaptionEditingIsOn) {
  Open();
  editor->TableList()->setCurrentRow(1);
  QHeaderView* columns = editor->Grid()->horizontalHeader();
  const auto rightClickOnName = [columns] {
    QTest::mouseClick(columns->viewport(), Qt::RightButton, {}, QPoint(columns->sectionViewportPosition(1) + 4, 5));
  };
  QString window, caption;
  const auto note = [&](QWidget* modal) {
    if (qobject_cast<CCaptionEditer*>(modal)) {
      window = qobject_cast<QLineEdit*>(FindControl(modal, 3020))->text();
      caption = qobject_cast<QLineEdit*>(FindControl(modal, 3019))->text();
    }
    static_cast<QDialog*>(modal)->reject();
  };
  EXPECT_FALSE(WithModalDialog(rightClickOnName, note)) << "CapEdit is off";
  app->Config().m_nCapEdit = 1;
  EXPECT_TRUE(WithModalDialog(rightClickOnName, note));
  EXPECT_EQ(window.toLongLong(nullptr, 16), WND_TABLE_CAPTIONS);
  EXPECT_EQ(caption, QStringLiteral("62"));
}

TEST_F(TableEditor, ARefreshReadsTheColumnCaptionsAgain) {
  Open();
  editor->TableList()->setCurrentRow(1);
  S_ECR_CAP renamed;
  renamed.text = L"Label";
  app->CaptionManager().SetCaption(WND_TABLE_CAPTIONS, 62, &renamed);
  CUmEvent refresh(UM_REFRESH_WINDOW);
  QCoreApplication::sendEvent(editor.get(), &refresh);
  EXPECT_EQ(editor->Grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Label"));
  EXPECT_EQ(editor->Grid()->columnWidth(1), 9 * 12);
}

TEST_F(TableEditor, DumpAndImportMoveDownOnlyWhenTheWindowGrows) {
  Open();
  editor->resize(640, 440);
  ProcessAll();
  const QRect dump = Button(CFlexListDlg::IDC_DUMP)->geometry();
  const QRect import = Button(CFlexListDlg::IDC_IMPORT_CSV)->geometry();
  const QRect update = Button(CFlexListDlg::IDC_UPDATE)->geometry();
  const QSize grid = editor->Grid()->size();
  editor->resize(740, 500);
  ProcessAll();
  EXPECT_EQ(Button(CFlexListDlg::IDC_DUMP)->geometry(), dump.translated(0, 60));
  EXPECT_EQ(Button(CFlexListDlg::IDC_IMPORT_CSV)->geometry(), import.translated(0, 60));
  EXPECT_EQ(Button(CFlexListDlg::IDC_UPDATE)->geometry(), update.translated(100, 60));
  EXPECT_EQ(editor->Grid()->size(), grid + QSize(100, 60));
}

}  // namespace
