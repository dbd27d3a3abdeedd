// Random editing of every table of the register data objects: random text
// into random cells (read-only ones included), random clipboard pastes and
// deletions, random record cards. Nothing may crash, read-only and refused
// values must stay as they were, and the file saved afterwards must load
// again and save to the same bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <fstream>
#include <random>
#include <set>

#include "common/EntryCheck.h"
#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/EcrGridModel.h"
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/tests/EditingSupport.h"

namespace {

constexpr int kActionsPerTable = 2000;

using Cell = std::pair<int, int>;  // record, field

class RandomEditor {
 public:
  RandomEditor(CFlexListDlg& editor, unsigned seed) : m_editor(editor), m_random(seed) {}

  // One random action on the table on display; false when an expectation failed.
  void Act() {
    const int pick = Below(1000);
    if (pick < 700) TypeIntoCell();
    else if (pick < 850) Paste();
    else if (pick < 950) DeleteSelection();
    else if (pick < 995) TypeThroughTheEditor();
    else OpenCard();
  }

  QStringList messages;

 private:
  CEcrGrid& Grid() { return *m_editor.Grid(); }
  stTable_t& Table() { return *Grid().Table(); }
  int Below(int limit) { return limit <= 0 ? 0 : std::uniform_int_distribution<int>(0, limit - 1)(m_random); }
  Cell AnyCell() { return {Below(Table().nRecordCount), Below(Table().nFieldCount)}; }

  QString RandomText(const Cell& cell) {
    const stField_t& field = Table().aFields[cell.second];
    static const char* const kOdd[] = {"",     " ",   "-",  "+5",  "1e3", "0x1F", "12a",  "-0", "00",
                                       "9999999999999999999999", ".5", "5.", "1.2345", "-999999.999", "ABCD",
                                       "abcdef", "\t", "12G4"};
    switch (Below(6)) {
      case 0: return QString::fromLatin1(kOdd[Below(static_cast<int>(std::size(kOdd)))]);
      case 1: {  // near the bounds
        const double bound = Below(2) ? field.dMin : field.dMax;
        return QString::number(static_cast<long long>(bound) + Below(5) - 2);
      }
      case 2: return QString::number(Below(100000) - 50000) + (Below(2) ? QStringLiteral(".") + QString::number(Below(10000)) : QString());
      case 3: return QString(QChar(0x30FB)) + QString::fromUtf8("ＡＢ漢字é");
      case 4: {
        QString text;
        for (int i = Below(25); i > 0; --i) text += QChar(0x20 + Below(0x5F));
        return text;
      }
      default: return Grid().model()->index(cell.first, cell.second).data().toString();
    }
  }

  // Bytes of each value of the table, to see which values changed.
  std::vector<std::vector<uint8_t>> Values() {
    std::vector<std::vector<uint8_t>> values;
    if (!HasRows()) return values;
    for (int record = 0; record < Table().nRecordCount; ++record)
      for (int field = 0; field < Table().nFieldCount; ++field) {
        const uint8_t* value = FieldValue(Table(), record, field);
        const int size = field + 1 < Table().nFieldCount ? Table().aFields[field + 1].nOffset - Table().aFields[field].nOffset
                                                          : Table().nRecordSize - Table().aFields[field].nOffset;
        values.emplace_back(value, value + std::max(size, 0));
      }
    return values;
  }
  bool HasRows() { return Table().pRows && Table().nRecordSize > 0; }

  // Every value that changed must be one of `allowed`.
  void ExpectOnlyChanged(const std::vector<std::vector<uint8_t>>& before, const std::set<Cell>& allowed,
                         const char* action) {
    const auto after = Values();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
      const Cell cell{static_cast<int>(i) / Table().nFieldCount, static_cast<int>(i) % Table().nFieldCount};
      if (after[i] != before[i]) {
        ASSERT_TRUE(allowed.count(cell)) << action << ": record " << cell.first << " field " << cell.second
                                         << " of " << QString::fromWCharArray(Table().szCaption).toStdString();
      }
    }
  }

  bool Editable(const Cell& cell) { return Grid().GetCellState(cell.second, cell.first) == CELL_EDITABLE; }

  void TypeIntoCell() {
    const Cell cell = AnyCell();
    const QString text = RandomText(cell);
    const auto before = Values();
    const qsizetype shown = messages.size();
    const bool stored = Grid().model()->setData(Grid().model()->index(cell.first, cell.second), text);
    if (stored) {
      EXPECT_TRUE(Editable(cell)) << "a read-only cell took a value";
    }
    const bool refused = !stored || messages.size() > shown;
    ExpectOnlyChanged(before, refused ? std::set<Cell>{} : std::set<Cell>{cell}, "typed");
  }

  void TypeThroughTheEditor() {
    const Cell cell = AnyCell();
    const QModelIndex index = Grid().model()->index(cell.first, cell.second);
    const auto before = Values();
    const qsizetype shown = messages.size();
    Grid().setCurrentIndex(index);
    if (index.flags() & Qt::ItemIsEditable) {
      Grid().edit(index);
    } else {
      QTest::keyClick(&Grid(), Qt::Key_F5);
      EXPECT_EQ(Grid().indexWidget(index), nullptr) << "an editor on a read-only cell";
    }
    auto* line = qobject_cast<QLineEdit*>(Grid().indexWidget(index));
    if (line) {
      line->selectAll();
      line->insert(RandomText(cell));  // typed or pasted: any character
      QTest::keyClick(line, Below(4) ? Qt::Key_Return : Qt::Key_Escape);
    }
    ProcessAll();
    ExpectOnlyChanged(before, line && messages.size() == shown ? std::set<Cell>{cell} : std::set<Cell>{}, "edited");
  }

  // The editable cells from `top left` over `rows` x `columns` cells on display.
  std::set<Cell> EditableBlock(const Cell& topLeft, int rows, int columns) {
    std::set<Cell> cells;
    for (int record = topLeft.first; record < topLeft.first + rows && record < Table().nRecordCount; ++record) {
      int field = topLeft.second;
      for (int n = 0; n < columns; ++n, ++field) {
        while (field < Table().nFieldCount && Grid().isColumnHidden(field)) ++field;
        if (field < Table().nFieldCount && Editable({record, field})) cells.insert({record, field});
      }
    }
    return cells;
  }

  void Paste() {
    const Cell origin = AnyCell();
    const int rows = 1 + Below(3), columns = 1 + Below(3);
    QStringList lines;
    for (int row = 0; row < rows; ++row) {
      QStringList cells;
      for (int column = 0; column < columns; ++column) cells << RandomText(origin).remove(QLatin1Char('\t'));
      lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QStringLiteral("\r\n")));
    const auto before = Values();
    Grid().clearSelection();
    Grid().setCurrentIndex(Grid().model()->index(origin.first, origin.second));
    QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
    if (Grid().isColumnHidden(origin.second)) return;  // the focus cell may not be shown
    ExpectOnlyChanged(before, EditableBlock(origin, rows, columns), "pasted");
  }

  void DeleteSelection() {
    const Cell origin = AnyCell();
    const int rows = 1 + Below(3);
    const int lastField = std::min(origin.second + Below(3), Table().nFieldCount - 1);
    Grid().setCurrentIndex(Grid().model()->index(origin.first, origin.second));
    const int lastRecord = std::min(origin.first + rows - 1, Table().nRecordCount - 1);
    Grid().selectionModel()->select(QItemSelection(Grid().model()->index(origin.first, origin.second),
                                                   Grid().model()->index(lastRecord, lastField)),
                                    QItemSelectionModel::ClearAndSelect);
    std::set<Cell> allowed;
    for (int record = origin.first; record <= lastRecord; ++record)
      for (int field = origin.second; field <= lastField; ++field)
        if (Editable({record, field}) && !Grid().isColumnHidden(field)) allowed.insert({record, field});
    const auto before = Values();
    QTest::keyClick(&Grid(), Qt::Key_Delete);
    ExpectOnlyChanged(before, allowed, "deleted");
  }

  // A card on a random record with a few random entries and choices.
  void OpenCard() {
    CCardDlg card(&Table(), 1 + Below(Table().nRecordCount), &m_editor);
    card.show();
    for (int step = 0; step < 12; ++step) {
      const int k = Below(CCardDlg::kRowsPerPage);
      const int field = card.FieldOfRow(k);
      const int record = card.RecordNumber() - 1;
      const auto before = Values();
      const qsizetype shown = messages.size();
      switch (Below(5)) {
        case 0: {
          auto* entry = qobject_cast<QLineEdit*>(FindControl(&card, CCardDlg::IDC_FIRST_ENTRY + k));
          if (!entry->isVisible() || !entry->isEnabled()) continue;
          entry->setFocus();
          entry->selectAll();
          entry->insert(RandomText({record, field}));
          QTest::keyClick(entry, Qt::Key_Return);
          break;
        }
        case 1: {
          auto* option = qobject_cast<QRadioButton*>(
              FindControl(&card, CCardDlg::IDC_FIRST_OPTION + Below(3) * CCardDlg::IDC_OPTION_STEP + k));
          if (!option->isVisible() || !option->isEnabled()) continue;
          option->click();
          break;
        }
        case 2: {
          auto* list = qobject_cast<QComboBox*>(FindControl(&card, CCardDlg::IDC_FIRST_LIST + k));
          if (!list->isVisible() || !list->isEnabled() || list->count() == 0) continue;
          const int position = Below(list->count());
          list->setCurrentIndex(position);
          emit list->activated(position);
          break;
        }
        case 3: {
          auto* pages = qobject_cast<QTabBar*>(FindControl(&card, CCardDlg::IDC_PAGES));
          pages->setCurrentIndex(Below(pages->count()));
          continue;
        }
        default:
          qobject_cast<QPushButton*>(FindControl(&card, Below(2) ? CCardDlg::IDC_NEXT : CCardDlg::IDC_PREVIOUS))
              ->click();
          continue;
      }
      ProcessAll();
      const bool refused = messages.size() > shown;
      ExpectOnlyChanged(before, refused ? std::set<Cell>{} : std::set<Cell>{{record, field}}, "card");
    }
  }

  CFlexListDlg& m_editor;
  std::mt19937 m_random;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Robustness : public testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { EnsureQApplication(); }
};

TEST_P(Robustness, RandomEditsKeepRefusedValuesAndTheFileLoadsAgain) {
  const int32_t window = GetParam();
  DemoSession session;
  RandomEditor* current = nullptr;
  SetMessageBoxHook([&current](const MessageBoxRequest& request) {
    if (current) current->messages << request.text;
    return MsgAnswer::Ok;
  });
  CFlexListDlg* editor = session.Open(window);
  ASSERT_NE(editor, nullptr);
  RandomEditor random(*editor, static_cast<unsigned>(window) * 7919u);
  current = &random;
  for (int row = 0; row < editor->TableList()->count(); ++row) {
    editor->TableList()->setCurrentRow(row);
    for (int action = 0; action < kActionsPerTable && !HasFatalFailure(); ++action) random.Act();
    ASSERT_FALSE(HasFatalFailure()) << "table " << row << ", seed window " << window;
  }
  current = nullptr;
  SetMessageBoxHook(nullptr);

  // Saved (or refused, keeping the old file), the file loads again, and
  // what it loads saves to the same bytes.
  CEcrData* data = session.Data(window);
  const bool saved = data->Save(nullptr) != 0;
  const std::wstring folder = data->m_strFolder;
  const std::string file = QString::fromStdWString(data->m_strFile).toStdString();
  const std::string written = ReadFile(QString::fromStdWString(folder).toStdString() + "/" + file);
  data->Reset();
  data->SetFolder(folder.c_str());
  ASSERT_EQ(data->Load(nullptr), 1) << (saved ? "the saved file" : "the kept file");
  TempFolder again;
  ASSERT_EQ(data->Save(again.WPath().c_str()), 1);
  EXPECT_EQ(again.Read(file), written);
}

INSTANTIATE_TEST_SUITE_P(TableEditors, Robustness, testing::Values(17, 18, 19, 20, 21));

}  // namespace
