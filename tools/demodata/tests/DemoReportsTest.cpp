// The demo report files: one of every layout, each converting whole.
#include <gtest/gtest.h>

#include <set>

#include "../DemoReports.h"
#include "model_library/tests/ReportFixtures.h"
#include "platform/FileSystem.h"
#include "testing/TempFolder.h"

namespace {

TEST(DemoReportsTest, OneFileOfEveryLayoutThatConvertsWhole) {
  fixtures::CaptionScope captions;
  TempFolder folder;
  ASSERT_TRUE(WriteDemoReports(folder.WPath()));
  EXPECT_EQ(1342u, folder.Read("FINC1830.ECR").size());
  EXPECT_EQ(240u, folder.Read("HOUR1830.ECR").size());
  EXPECT_EQ(2, folder.Read("DPCS1830.ECR")[0] & 2) << "item by item";
  EXPECT_EQ(0, folder.Read("DPCS1831.ECR")[0] & 2) << "by department";
  EXPECT_EQ("\r\n", folder.Read("FLEJ1830.ECR").substr(24, 2));
  EXPECT_NE("\r\n", folder.Read("EJ1830.ECR").substr(24, 2));

  CReportEcr store;
  store.m_bDecimalPoint = 0;
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  ASSERT_EQ(demo::kDemoReportFileCount, store.m_lstReports.size());
  std::set<int> kinds;
  for (int i = 0; i < static_cast<int>(store.m_lstReports.size()); ++i) {
    kinds.insert(store.m_lstReports[static_cast<size_t>(i)].nKind);
    EXPECT_EQ(1, store.ConvertReport(i, nullptr)) << platform::NativePath(store.m_lstReports[static_cast<size_t>(i)].strPath);
  }
  EXPECT_EQ((std::set<int>{RK_FINANCIAL, RK_ALL_CLERK, RK_CLERK_SALES, RK_ALL_DEPARTMENT, RK_ALL_PLU, RK_URGENT_PLU,
                           RK_HOURLY, RK_OPEN_TABLE_ALL, RK_TRAINING_CLERK, RK_JOURNAL_FULL, RK_REALTIME_EJ}),
            kinds);
}

TEST(DemoReportsTest, UrgentPlusAreTheLowStockOnes) {
  std::vector<demo::Plu> plus = demo::MakePlus();
  std::vector<size_t> urgent = demo::UrgentPlus(plus);
  ASSERT_FALSE(urgent.empty());
  for (size_t i : urgent) EXPECT_LT(plus[i].stockMilli, 30000);
}

TEST(DemoReportsTest, FailsWhenTheFolderIsMissing) {
  TempFolder folder;
  EXPECT_FALSE(WriteDemoReports(folder.WPath() + L"/missing"));
}

}  // namespace
