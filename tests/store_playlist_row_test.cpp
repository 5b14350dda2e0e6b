// Row texts, the display form of paths and the sorted list's order.
#include <algorithm>
#include <numeric>
#include <random>

#include "store/playlist_colours.h"
#include "store/pattern_selection.h"
#include "store/playlist_row.h"
#include "tests/support/core_test.h"

namespace {

// The fixed columns, sizes from 2 GB on as negative numbers, each run of
// separators shown as one, a Windows playlist's code page 932 decoded, and
// an unterminated path never read past its field.
TEST(PlaylistRow, ColumnsAndDisplayedPath) {
  PlaylistEntry unterminated = MakeEntry(0, 0, "", 7);  // 7: the byte right behind the path
  std::memset(unterminated.path, 'p', PATH_LEN);
  struct Case {
    uint32_t slot;
    PlaylistEntry entry;
    std::string row;
  };
  const Case cases[] = {
      {0, MakeEntry(1, 5, "//home//u//Music//a.mp3", 100),
       "  1 |  0005  |        100 |  0001  | /home/u/Music/a.mp3 "},
      {3999, MakeEntry(4, 9999, "////a.mp3", 1234567890),
       "  4 |  9999  | 1234567890 |  4000  | /a.mp3 "},
      {0, MakeEntry(0, 0, "a\\\\\\b//c/\\d", 0xFFFFFFFFu),
       "  0 |  0000  |         -1 |  0001  | a\\b/c/\\d "},
      {0, MakeEntry(0, 0, "D:\\\\Music\\\\\x8B\xC8\\\\a.mp3", 0x80000000u),
       "  0 |  0000  | -2147483648 |  0001  | D:\\Music\\曲\\a.mp3 "},
      {1, MakeEntry(0, 0, "\xCC\xDF\xDA\xB2.mp3", 1),
       "  0 |  0000  |          1 |  0002  | ﾌﾟﾚｲ.mp3 "},
      {0, MakeEntry(0, 0, "//音楽//ソ表.mp3", 1),
       "  0 |  0000  |          1 |  0001  | /音楽/ソ表.mp3 "},
      {0, unterminated, "  0 |  0000  |          7 |  0001  | " + std::string(PATH_LEN, 'p') + " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    char row[ROW_TEXT_BYTES];
    int length = FormatPlaylistRow(c.slot, c.entry, row, sizeof row);
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(static_cast<size_t>(length), c.row.size());
  }
}

class SortedOrderTest : public ::testing::Test {
 protected:
  void Sort(std::vector<uint32_t>& values) {
    sorter_->Sort(table_, values.data(), static_cast<uint32_t>(values.size()));
  }
  int Compare(uint32_t first, uint32_t second) {
    return ComparePlaylistRows(table_, first, second);
  }
  std::unique_ptr<PlaylistTable> owned_ = std::make_unique<PlaylistTable>();
  PlaylistTable& table_ = *owned_;
  std::unique_ptr<RowSorter> sorter_ = std::make_unique<RowSorter>();
};

// By the rows' texts: state, number, size, slot, each as its text, so a
// wider value or a negative size sorts as its characters do.
TEST_F(SortedOrderTest, ByTheRowTextsWithHeadersFirst) {
  const PlaylistEntry entries[] = {
      MakeEntry(1, 5, "//z.mp3", 100),     MakeEntry(0, 0, "//y.mp3", 300),
      MakeEntry(0, 0, "//x.mp3", 200),     MakeEntry(4, 0, "//w.mp3", 50),
      MakeEntry(0, 0, "//a.mp3", 200),      // ties with slot 2 but for the slot
      MakeEntry(10, 0, "//a", 1),           // "  10 |" sorts before "  4 |"
      MakeEntry(0, 0, "//a", 0xFFFFFFFFu),  // "        -1"
      MakeEntry(0, 0, "//a", 5),            // "         5" before it
      MakeEntry(1, 3, "//a", 999),
  };
  std::vector<uint32_t> values{1};
  for (uint32_t slot = 0; slot < std::size(entries); ++slot) {
    table_.entries[slot] = entries[slot];
    values.insert(values.begin(), FIRST_ENTRY_ROW_VALUE + slot);
  }
  Sort(values);
  std::vector<uint32_t> slots{7, 6, 2, 4, 1, 8, 0, 5, 3};
  std::vector<uint32_t> expected{1};
  for (uint32_t slot : slots) expected.push_back(FIRST_ENTRY_ROW_VALUE + slot);
  EXPECT_EQ(values, expected);

  EXPECT_EQ(Compare(0, 2), -1);
  EXPECT_EQ(Compare(2, 1), 1);
  EXPECT_EQ(Compare(4, 6), -1);  // slots 2 and 4: the slot decides
  EXPECT_EQ(Compare(6, 4), 1);
  EXPECT_EQ(Compare(3, 3), 0);
}

// A table where state, number and size often tie, with foreign states,
// five-digit numbers, negative sizes and code page 932 paths.
TEST_F(SortedOrderTest, SortAgreesWithThePairwiseComparison) {
  const uint16_t states[] = {0, 1, 2, 3, 4, 7, 10, 65535};
  const uint16_t numbers[] = {0, 5, 9999, 10000, 65535};
  const uint32_t sizes[] = {0, 5, 100, 1234567890, 0x80000000u, 0xFFFFFFFFu};
  const char* paths[] = {"//a.mp3", "D:\\\x8B\xC8\\a.mp3", "\x95\x5C\\b.mp3", "//z"};
  constexpr uint32_t kEntries = 500;
  std::mt19937 random(7);
  for (uint32_t slot = 0; slot < kEntries; ++slot) {
    table_.entries[slot] = MakeEntry(states[random() % 8], numbers[random() % 5],
                                             paths[random() % 4], sizes[random() % 6]);
  }
  std::vector<uint32_t> values(kEntries);
  std::iota(values.begin(), values.end(), FIRST_ENTRY_ROW_VALUE);
  std::shuffle(values.begin(), values.end(), random);
  values.insert(values.begin() + 100, 1);  // headers keep their own order, in front
  values.insert(values.begin() + 300, 0);
  // Once as the window's list holds them, once each value nine times over.
  for (uint32_t copies : {1u, 9u}) {
    SCOPED_TRACE(copies);
    std::vector<uint32_t> sorted;
    for (uint32_t i = 0; i < copies; ++i) sorted.insert(sorted.end(), values.begin(), values.end());
    std::vector<uint32_t> given = sorted;
    Sort(sorted);
    std::vector<uint32_t> kept = sorted;
    std::sort(given.begin(), given.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, given);
    uint32_t headers = 2 * copies;
    for (uint32_t i = 0; i < headers; ++i) ASSERT_EQ(sorted[i], i % 2 == 0 ? 1u : 0u);
    for (uint32_t i = headers + 1; i < sorted.size(); ++i) {
      ASSERT_LE(Compare(sorted[i - 1], sorted[i]), copies == 1 ? -1 : 0) << i;
    }
  }
}

TEST(PlaylistColours, RowsByStateAndSelection) {
  struct Case {
    bool header;
    uint16_t state;
    bool selected;
    uint32_t background;
    uint32_t text;
  };
  const Case cases[] = {
      {true, 0, false, 0xFFFFFF, 0x000000},  {true, 0, true, 0x000080, 0xFFFFFF},
      {false, 0, false, 0xFFFFFF, 0x000000}, {false, 1, false, 0xDCFFDC, 0x000000},
      {false, 2, false, 0xFFDCDC, 0x000000}, {false, 3, false, 0xFFDCDC, 0x000000},
      {false, 4, false, 0xDCDCFF, 0x000000}, {false, 4, true, 0x000080, 0xFFFFFF},
      {false, 5, false, 0xFFFFFF, 0x000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.header << " " << c.state << " " << c.selected);
    RowColours colours = PlaylistRowColours(c.header, c.state, c.selected);
    EXPECT_EQ(colours.background, c.background);
    EXPECT_EQ(colours.text, c.text);
  }
  const std::pair<uint32_t, uint32_t> bar[] = {{0, 0xFF0000},  {9, 0xFF0000},  {10, 0xFFFF00},
                                               {19, 0xFFFF00}, {20, 0x0000FF}, {100, 0x0000FF}};
  for (auto [percent, colour] : bar) EXPECT_EQ(RemainingBarColour(percent), colour) << percent;
}

}  // namespace

// A pattern sees the shown path: separators collapsed, '*' across folders,
// case counted; empty slots and slots past the count are never chosen.
TEST(PatternSelection, MatchesTheShownPath) {
  static PlaylistTable table{};
  const char* paths[] = {"//m//Audiobooks//x//a.mp3", "//m//audiobooks//b.mp3",
                         "//m//Audiobooks//c.mp3", "", "//m//Audiobooks//d.mp3"};
  for (uint32_t slot = 0; slot < 5; ++slot) table.entries[slot] = MakeEntry(0, 0, paths[slot], 1);
  uint32_t chosen[MAX_ENTRIES];
  uint32_t count = SelectMatchingSlots(table, 4, "*/Audiobooks/*", chosen);
  EXPECT_EQ(std::vector<uint32_t>(chosen, chosen + count), (std::vector<uint32_t>{0, 2}));
  EXPECT_EQ(SelectMatchingSlots(table, 5, "/m/*/?.mp3", chosen), 4u);  // x/a.mp3 too
  EXPECT_EQ(SelectMatchingSlots(table, 5, "//m//*", chosen), 0u);
}
