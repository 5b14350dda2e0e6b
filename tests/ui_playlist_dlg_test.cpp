// The playlist window through its widgets: both orders, the painted
// colours, the bar and the line, the edits, play and the start-up marker.
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QProgressBar>

#include "tests/support/recording_player.h"
#include "tests/support/window_test.h"
#include "ui/playlist_dlg.h"
#include "ui/playlist_row_model.h"

namespace {

using Values = std::vector<uint32_t>;

class PlaylistDlgTest : public ::testing::Test {
 protected:
  void Open(platform::MessageAnswer answer = platform::MessageAnswer::Yes) {
    messages_ = std::make_unique<RecordingMessages>(answer);
    dialog_ = std::make_unique<CPlaylistDialog>(*owners_, host_, messages_.get(), nullptr);
    dialog_->show();
  }
  template <typename W>
  W* Find(const char* name) {
    return dialog_->findChild<W*>(name);
  }
  void Press(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
  QModelIndex Row(QListView* list, int row) { return list->model()->index(row, 0); }
  Values RowValues(QListView* list) {
    Values values;
    for (int row = 0; row < list->model()->rowCount(); ++row)
      values.push_back(Row(list, row).data(ROW_VALUE_ROLE).toUInt());
    return values;
  }
  void Select(QListView* list, int row) {
    list->selectionModel()->select(Row(list, row), QItemSelectionModel::Select);
  }
  // The painted background at the right edge of the row, past its text.
  QRgb Background(QListView* list, int row) {
    QImage image = list->viewport()->grab().toImage();
    return image.pixel(image.width() - 3, list->visualRect(Row(list, row)).center().y()) & 0xFFFFFF;
  }
  std::string Saved(uint32_t slot) {
    const PlaylistEntry& entry = ReadPlaylist().entries[slot];
    return std::to_string(entry.state) + "/" + std::to_string(entry.transferNumber);
  }

  TempFolder folder_;
  RecordingHost host_;
  std::unique_ptr<RecordingMessages> messages_;
  std::unique_ptr<WindowOwners> owners_ = std::make_unique<WindowOwners>();
  std::unique_ptr<CPlaylistDialog> dialog_;
};

TEST_F(PlaylistDlgTest, ListsHoldBothOrdersAndRowsArePaintedByState) {
  WritePlaylist({MakeEntry(1, 5, "//m//a.mp3", 100), MakeEntry(0, 0, "//m//b.mp3", 300),
                 MakeEntry(0, 0, "//m//c.mp3", 200), MakeEntry(4, 0, "//m//d.mp3", 50),
                 MakeEntry(2, 0, "//m//e.mp3", 10), MakeEntry(3, 0, "//m//f.mp3", 20)});
  Open();
  QListView* fileOrder = Find<QListView>("fileOrderList");
  QListView* sorted = Find<QListView>("sortedList");
  EXPECT_EQ(RowValues(fileOrder), (Values{0, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(RowValues(sorted), (Values{1, 4, 3, 2, 6, 7, 5}));
  EXPECT_EQ(Row(fileOrder, 1).data().toString(), "  1 |  0005  |        100 |  0001  | /m/a.mp3 ");
  const QRgb painted[] = {0x000080, 0xDCFFDC, 0xFFFFFF, 0xFFFFFF, 0xDCDCFF, 0xFFDCDC, 0xFFDCDC};
  Select(fileOrder, 0);  // the selected header is painted navy too
  for (int row = 0; row < 7; ++row) EXPECT_EQ(Background(fileOrder, row), painted[row]) << row;
  for (bool sortedShown : {true, false}) {
    Press("switchView");
    EXPECT_EQ(sorted->isVisible(), sortedShown);
    EXPECT_EQ(fileOrder->isVisible(), !sortedShown);
  }
}

TEST_F(PlaylistDlgTest, BarAndLineShowTheShareNotYetSent) {
  for (auto [unsent, total, colour, line] :
       {std::tuple{15, 100, 0xFFFF00u, "残 15 / 100件中 (消化率85％)"}, {0, 0, 0u, "Empty!"}}) {
    SCOPED_TRACE(line);
    std::vector<PlaylistEntry> entries;
    for (int i = 0; i < total; ++i) entries.push_back(MakeEntry(i >= unsent, 0, "//s", 1));
    WritePlaylist(entries);
    Open();
    auto* bar = Find<QProgressBar>("remainingBar");
    EXPECT_EQ(bar->value(), unsent);
    EXPECT_EQ(Find<QLabel>("statsLine")->text(), line);
    QImage image = bar->grab().toImage();
    if (total != 0) {
      EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 4) & 0xFFFFFF, colour);
    }
  }
}

// Yes edits the first 4000 selected rows of the view on show, the header
// counted but never edited.
TEST_F(PlaylistDlgTest, EditsTakeTheSelectionOfTheViewOnShow) {
  std::vector<PlaylistEntry> entries{MakeEntry(1, 12, "//a", 1), MakeEntry(4, 7, "//b", 1)};
  entries.resize(MAX_ENTRIES, MakeEntry(1, 3, "//c", 1));
  WritePlaylist(entries);
  Open();
  Find<QListView>("fileOrderList")->selectAll();
  Press("excludeSelected");
  EXPECT_EQ(Saved(0) + Saved(3998) + Saved(3999), "4/124/31/3");
  Press("switchView");
  QListView* sorted = Find<QListView>("sortedList");
  EXPECT_EQ(RowValues(sorted).back(), 2u);  // 4 | 0012 last
  Select(sorted, MAX_ENTRIES);
  Press("resetSelected");
  EXPECT_EQ(Saved(0), "0/0");
  EXPECT_EQ(Find<QLabel>("statsLine")->text(), "残 1 / 4000件中 (消化率100％)");
  Press("resetAll");
  EXPECT_EQ(Saved(1) + Saved(2) + Saved(3999), "4/04/00/0");
  EXPECT_EQ(messages_->shown.back().text, "全てを未伝送にしました。");
}

TEST_F(PlaylistDlgTest, DoubleClickPlaysAllButMissingOrCutSongsAndHoldsContinuousPlay) {
  WritePlaylist({MakeEntry(2, 0, "//m//c.mp3", 1), MakeEntry(3, 0, "//m//d.mp3", 1),
                 MakeEntry(4, 0, "//m//e.mp3", 1)});
  WriteFile("kContinue", "");
  owners_->playlist.playlistPresent = true;
  owners_->continuous.StartUp(host_);  // continuous play on
  Open();
  QListView* list = Find<QListView>("fileOrderList");
  for (int row = 0; row < 4; ++row) {
    QPoint at(20, list->visualRect(Row(list, row)).center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  EXPECT_EQ(host_.opened, std::vector<std::string>{"//m//e.mp3"});
  EXPECT_TRUE(owners_->continuous.Held());
}

TEST_F(PlaylistDlgTest, CheckBoxCreatesAndDeletesTheStartUpMarker) {
  WriteFile("kStartUp", "");
  Open();
  auto* box = Find<QCheckBox>("startUpCheck");
  EXPECT_TRUE(box->isChecked());
  for (bool present : {false, true}) {
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(Exists("kStartUp"), present);
  }
  std::remove("kStartUp");
  MakeFolders("kStartUp");
  QTest::mouseClick(box, Qt::LeftButton);
  ASSERT_EQ(messages_->shown.size(), 1u);
  EXPECT_EQ(messages_->shown[0].text, "設定出来ませんでした。");
  EXPECT_EQ(messages_->shown[0].icon, platform::MessageIcon::Stop);
  EXPECT_FALSE(box->isChecked());
}

}  // namespace

// Enter presses a focused button, else closes: no button may look default.
TEST_F(PlaylistDlgTest, EnterPressesTheFocusedButtonElseClosesAndNoButtonLooksDefault) {
  WritePlaylist({MakeEntry(1, 3, "//a", 1)});
  Open(platform::MessageAnswer::No);
  dialog_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  QTest::keyClick(Find<QPushButton>("switchView"), Qt::Key_Return);
  EXPECT_TRUE(Find<QListView>("sortedList")->isVisible());
  for (const char* name : {"sortedList", "startUpCheck"}) {
    auto* widget = Find<QWidget>(name);
    widget->setFocus();
    for (auto* button : dialog_->findChildren<QPushButton*>())
      EXPECT_FALSE(button->isDefault()) << name << " " << button->objectName().toStdString();
    QTest::keyClick(widget, Qt::Key_Return);
    EXPECT_FALSE(dialog_->isVisible());
    dialog_->show();
  }
}
