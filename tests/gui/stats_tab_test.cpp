// The statistics tab "統計": "読込" fills the data grid from a file chosen in
// the statistics folder, "計算" fills the summary grid, "保存" writes the data
// grid under the name in Edit1. The file dialog is answered by the test.

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "core/text/cp932.h"
#include "gui_test_support.h"

using namespace quindle;
using namespace quindle::gui;
using namespace quindle::gui::testing;
namespace fs = std::filesystem;

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A header and two races: ranks 1-2-3 and 2-1-3 in the first ranking, the
// second race's second ranking all unranked.
std::string DataFile() {
    std::string bytes;
    const auto line = [&bytes](const std::vector<std::pair<int, std::string>>& cells) {
        std::vector<std::string> fields(39);
        for (const auto& [column, text] : cells) fields[static_cast<size_t>(column)] = text;
        for (size_t c = 0; c < fields.size(); ++c) bytes += (c ? "," : "") + fields[c];
        bytes += "\r\n";
    };
    line({{0, "\"" + text::Sj("日付") + "\""}, {9, "A1"}, {15, text::Sj("単勝")}});
    line({{0, "20250105"},
          {9, "1"},
          {10, "1"},
          {11, "2"},
          {12, "2"},
          {13, "3"},
          {14, "3"},
          {15, "250"},
          {25, "900"},
          {35, "1500"}});
    line({{0, "\"a \"\"b\"\"\""}, {9, "2"}, {11, "1"}, {13, "3"}, {15, "600"}});
    return bytes;
}

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

class StatsTabTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home_;
    std::unique_ptr<RecordingSink> sink_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* Child(const char* name) {
        return NamedChild<T>(*window_, name);
    }

    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }

    fs::path Folder() const { return home_->path() / "HPupload"; }

  private slots:
    void init() {
        home_ = std::make_unique<TempHome>();
        sink_ = std::make_unique<RecordingSink>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        auto window = Start(home_->path(), *sink_, {}, dialogs_.get());
        QVERIFY2(window.ok(), window.ok() ? "" : window.error().c_str());
        window_ = std::move(*window);
        fs::create_directory(Folder());
        home_->Write("HPupload/data.csv", DataFile());
        dialogs_->openFile = QString::fromStdString((Folder() / "data.csv").string());
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        sink_.reset();
        home_.reset();
    }

    void loadComputeAndSaveThroughTheButtons() {
        Click("LoadBtn");
        QCOMPARE(dialogs_->openFolder, QString::fromStdString(Folder().string()));
        QCOMPARE(dialogs_->questions, std::vector<QString>{U("統計ファイル (*.csv)")});
        auto* data = Child<QTableWidget>("StringGrid22");
        QCOMPARE(data->rowCount(), 2);
        QCOMPARE(data->horizontalHeaderItem(0)->text(), U("日付"));
        QCOMPARE(data->horizontalHeaderItem(15)->text(), U("単勝"));
        QCOMPARE(Cell(data, 0, 0), U("20250105"));
        QCOMPARE(Cell(data, 1, 0), U("a \"b\""));

        Click("CalcBtn2");
        auto* summary = Child<QTableWidget>("StringGrid4");
        QCOMPARE(summary->horizontalHeaderItem(1)->text(), U(" 1位"));
        QCOMPARE(Cell(summary, 0, 0), U("出現数"));
        QCOMPARE(Cell(summary, 0, 1), U("      1"));   // rank 1 won once
        QCOMPARE(Cell(summary, 1, 1), U("  50.00"));   // of two races
        QCOMPARE(Cell(summary, 6, 2), U("    600"));   // 単勝 average of rank 2
        QCOMPARE(Cell(summary, 10, 7), U("      1"));  // unranked winner counts at 7
        QCOMPARE(Cell(summary, 6, 3), QString());      // rank 3 never won
        QVERIFY(sink_->shown.empty());

        // Saved under the name in Edit1; loading it again gives the same grid.
        Child<QLineEdit>("Edit1")->setText(U("out.csv"));
        Click("SaveBtn");
        QVERIFY(sink_->shown.empty());
        const std::string saved = ReadFile(Folder() / "out.csv");
        QVERIFY(saved.find("\"a \"\"b\"\"\"") != std::string::npos);
        QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 3);
        dialogs_->openFile = QString::fromStdString((Folder() / "out.csv").string());
        Click("LoadBtn");
        QCOMPARE(data->rowCount(), 2);
        QCOMPARE(Cell(data, 1, 0), U("a \"b\""));
        QCOMPARE(data->horizontalHeaderItem(0)->text(), U("日付"));
    }

    void cancelledLoadLeavesTheGridEmpty() {
        Click("LoadBtn");
        QCOMPARE(Child<QTableWidget>("StringGrid22")->rowCount(), 2);
        dialogs_->openFile.reset();
        Click("LoadBtn");
        QCOMPARE(Child<QTableWidget>("StringGrid22")->rowCount(), 0);
        QVERIFY(sink_->shown.empty());
    }

    // A rank out of range: the message names the line, the summary keeps its
    // captions only.
    void badRankIsToldAndNothingIsCounted() {
        home_->Write("HPupload/bad.csv", "h\r\n,,,,,,,,,19,1,2,2,3,3,100\r\n");
        dialogs_->openFile = QString::fromStdString((Folder() / "bad.csv").string());
        Click("LoadBtn");
        Click("CalcBtn2");
        QCOMPARE(sink_->shown.size(), size_t{1});
        QVERIFY(sink_->shown[0].text.contains(U("2行目")));
        auto* summary = Child<QTableWidget>("StringGrid4");
        QCOMPARE(Cell(summary, 0, 0), U("出現数"));
        QCOMPARE(Cell(summary, 0, 1), QString());
    }

    void saveWithoutFolderOrNameIsTold() {
        Click("LoadBtn");
        Child<QLineEdit>("Edit1")->setText(QString());
        Click("SaveBtn");
        fs::remove_all(Folder());
        Child<QLineEdit>("Edit1")->setText(U("Tokei.csv"));
        Click("SaveBtn");
        QCOMPARE(sink_->shown.size(), size_t{2});
        QVERIFY(!fs::exists(Folder()));
    }
};

QTEST_MAIN(StatsTabTest)
#include "stats_tab_test.moc"
