// A run as the history keeps it: its records without padding, and its CSV bytes.
#include "results/run_csv.h"

#include <gtest/gtest.h>

namespace quorvath {

static SavedRecord At(std::wstring res, std::wstring level, std::wstring low, std::wstring avg,
                      std::wstring high) {
  return {std::move(res), std::move(level), std::move(low), std::move(avg), std::move(high)};
}

TEST(SavedRecords, DropThePaddingAndCarryEachRecordsResolution) {
  std::deque<FpsRecord> records;
  for (const wchar_t* level : {L"  Keep", L"Dock"}) {
    records.push_back(
        {FixedText<14>(level), FixedText<10>(L"1 "), FixedText<10>(L"2"), FixedText<10>(L"3 4")});
  }
  EXPECT_EQ(SavedRecords(records, RowLayout::kCpu, L"640 x 480"),
            (std::vector<SavedRecord>{At(L"640 x 480", L"  Keep", L"1", L"2", L"3 4"),
                                      At(L"640 x 480", L"Dock", L"1", L"2", L"3 4")}));
  const std::vector<SavedRecord> all =
      SavedRecords(records, RowLayout::kResolutionCaptions, L"All Resolutions");
  EXPECT_EQ(all[0].resolution, L"1600 x 1200");
  EXPECT_EQ(all[1].resolution, L"1280 x 1024");
}

TEST(RunCsv, WritesTheHeaderAndQuotesWhatNeedsItAndReadsItBackUnchanged) {
  const SavedRun run = {{
      At(L"1600 x 1200", L"Cinder Keep", L"24.22", L"41.06", L"70.62"),
      At(L"1280 x 1024", L"Deck, 16", L"say \"hi\"", L"\t1", L"  lead"),
      At(L"1024 x 768", L"\u65E5 \u0416 \U0001F600", L"", L"x,y", L"end "),
      At(L"a\r\nb", {0x80}, L"\"", L"c\rd", L"e\nf"),
  }};
  const std::string csv = RunCsv(run);
  EXPECT_EQ(csv,
            "\xEF\xBB\xBFResolution,Level,Low FPS,Average FPS,High FPS,Label,Started,Duration (s),"
            "Computer,Processor,Memory (MB),Graphics,Graphics Driver,Windows,Series,Run\r\n"
            "1600 x 1200,Cinder Keep,24.22,41.06,70.62,,,,,,,,,,,\r\n"
            "1280 x 1024,\"Deck, 16\",\"say \"\"hi\"\"\",\t1,\"  lead\",,,,,,,,,,,\r\n"
            "1024 x 768,\xE6\x97\xA5 \xD0\x96 \xF0\x9F\x98\x80,,\"x,y\",\"end \",,,,,,,,,,,\r\n"
            "\"a\r\nb\",\xC2\x80,\"\"\"\",\"c\rd\",\"e\nf\",,,,,,,,,,,\r\n");
  EXPECT_EQ(ParseRunCsv(csv), run);
  EXPECT_EQ(ParseRunCsv(csv.substr(3)), run);  // without its byte-order mark
}

TEST(RunCsv, RepeatsTheRunsValuesOnEveryLineAndReadsThemFromTheFirst) {
  SavedRun run = {
      {At(L"1280 x 1024", L"Keep", L"1", L"2", L"3"),
       At(L"1280 x 1024", L"Dock", L"4", L"5", L"6")},
      {L"new, \"fast\" driver", L"2026-12-07 14:03:22", L"612", L"RIG-7", L"Brand X 8-Core",
       L"16384", L"Vexa 9 Ti", L"31.0.15.3623", L"", L"2026-12-07 14:00:05", L"2 of 3"}};
  const std::string context =
      ",\"new, \"\"fast\"\" driver\",2026-12-07 14:03:22,612,RIG-7,Brand X 8-Core,16384,Vexa 9 "
      "Ti,31.0.15.3623,,2026-12-07 14:00:05,2 of 3\r\n";
  const std::string csv = RunCsv(run);
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2),
            "1280 x 1024,Keep,1,2,3" + context + "1280 x 1024,Dock,4,5,6" + context);
  EXPECT_EQ(ParseRunCsv(csv), run);
  const std::string head = csv.substr(0, csv.find("\r\n") + 2);
  run.records.pop_back();
  EXPECT_EQ(ParseRunCsv(head + "1280 x 1024,Keep,1,2,3" + context +
                        "1280 x 1024,Dock,4,5,6,other,,,,,,,,,,\r\n"),
            (SavedRun{{At(L"1280 x 1024", L"Keep", L"1", L"2", L"3"),
                       At(L"1280 x 1024", L"Dock", L"4", L"5", L"6")},
                      run.context}));
  EXPECT_EQ(ParseRunCsv(head + "1280 x 1024,Keep,1,2,3\r\n"), std::nullopt);
}

TEST(RunCsv, ReadsFilesOfTheSecondFormatWithoutTheSeriesColumns) {
  const std::string csv =
      "Resolution,Level,Low FPS,Average FPS,High FPS,Label,Started,Duration (s),Computer,"
      "Processor,Memory (MB),Graphics,Graphics Driver,Windows\r\n"
      "A,B,1,2,3,old,2026-01-02 03:04:05,9,PC,,,,,\r\n";
  EXPECT_EQ(
      ParseRunCsv(csv),
      (SavedRun{{At(L"A", L"B", L"1", L"2", L"3")},
                {L"old", L"2026-01-02 03:04:05", L"9", L"PC", L"", L"", L"", L"", L"", L"", L""}}));
  EXPECT_EQ(ParseRunCsv(csv + "A,B,1,2,3,old,2026-01-02 03:04:05,9,PC,,,,,,x,y\r\n"), std::nullopt);
}

TEST(RunCsv, ReadsFilesOfTheFirstFormatAndRefusesWhatIsNoRun) {
  const std::string header = "Resolution,Level,Low FPS,Average FPS,High FPS";
  const std::string csv = "\xEF\xBB\xBF" + header + "\r\nA,B,1,2,3\r\n";
  EXPECT_EQ(ParseRunCsv(csv), (SavedRun{{At(L"A", L"B", L"1", L"2", L"3")}}));
  EXPECT_EQ(ParseRunCsv(header + "\nA,B\"x,1,2,3"),
            (SavedRun{{At(L"A", L"B\"x", L"1", L"2", L"3")}}));
  EXPECT_EQ(ParseRunCsv(header + "\rA,B,1,2,"), (SavedRun{{At(L"A", L"B", L"1", L"2", L"")}}));
  EXPECT_EQ(ParseRunCsv(header), SavedRun{});
  for (const std::string& bad :
       {std::string(), std::string("Level,Low\r\n"), header + " \r\n", csv + "1,2,3,4\r\n",
        csv + "1,2,3,4,5,6\r\n", csv + "x", csv + "\r\n1,2,3,4,5", csv + "\"open,2,3,4,5\r\n",
        csv + "\xC3(,2,3,4,5\r\n", header + ",Label\r\nA,B,1,2,3,x\r\n"}) {
    EXPECT_EQ(ParseRunCsv(bad), std::nullopt) << bad;
  }
}

}  // namespace quorvath
