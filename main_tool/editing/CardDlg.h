// "Record Edit": one record of a table as a card, ten fields a page. Each
// field has its caption and an input that suits it: an entry box, a list of
// names from another table, or three option buttons. Accepted values go
// straight into the table's rows, checked as in the grid; the opener reads
// Changed() afterwards to show them.
#pragma once

#include <array>
#include <vector>

#include "main_tool/editing/EcrDialog.h"
#include "model_library/EcrData.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

class CCardDlg : public CEcrDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 112;
  static constexpr int32_t kWindowNumber = 4;
  static constexpr int kRowsPerPage = 10;
  static constexpr int kOptionCount = 3;
  enum ControlId { IDC_RECORD_SELECTOR = 1190, IDC_DATA_NO = 1231, IDC_PAGES = 1118, IDC_FIRST_CAPTION = 1180,
                   IDC_FIRST_ENTRY = 1170, IDC_FIRST_LIST = 1191, IDC_FIRST_OPTION = 1201, IDC_OPTION_STEP = 10,
                   IDC_FIRST_GROUP = 1232, IDC_PREVIOUS = 5, IDC_NEXT = 4, IDC_CLOSE = 2 };

  // `record` is 1-based.
  CCardDlg(stTable_t* table, int record, QWidget* parent);

  bool Changed() const { return m_bChanged != 0; }
  stTable_t* Table() const { return m_pTable; }
  int RecordNumber() const { return m_nRecord; }
  int Page() const { return m_nPage; }
  // The table's field shown in row k of the page on display; -1 for none.
  int FieldOfRow(int row) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QGroupBox* group;
    QLabel* caption;
    QLineEdit* entry;
    QComboBox* list;
    std::array<QRadioButton*, kOptionCount> options;
  };

  void BuildControls();
  void BuildRow(int k);
  void Initialise();
  void ShowPage(int page);
  void ShowRow(int k);
  void HideInputs(const Row& row);
  void HideChoices(const Row& row);
  void SetUpInput(int k);
  void SetUpList(Row& row, const stField_t& field);
  void SetUpOptions(Row& row, const stField_t& field);
  void ApplyState(int k);
  bool Commit(int k);
  void CommitEntry(int k);
  void ChooseValue(int k, int offsetFromMin);
  void SelectRecord(int record);
  void OnRecordChosen();
  void EnablePreviousNext();
  int RowOfEntry(const QObject* object) const;

  stTable_t* m_pTable;
  int32_t m_nRecord;
  int32_t m_nPage = 0;
  int32_t m_bChanged = 0;
  std::vector<int32_t> m_lstVisibleFields;
  std::array<Row, kRowsPerPage> m_aRows{};
  QComboBox* m_pSelector = nullptr;
  QTabBar* m_pPages = nullptr;
  QPushButton* m_pPrevious = nullptr;
  QPushButton* m_pNext = nullptr;
  QPushButton* m_pClose = nullptr;
  QLabel* m_pDataNo = nullptr;
};
