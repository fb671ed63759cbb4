#include "gui/display/legend_dialog.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/analysis/grid_style.h"
#include "gui/common/grid_colours.h"

namespace quindle::gui {
namespace {

using analysis::Fill;
using analysis::Ink;

constexpr int kWidth = 620;
constexpr int kHeight = 640;

// One line of the legend: what is painted and what it means.
struct Entry {
    QString sample;  // rich text
    const char* meaning;
};

QString Swatch(Fill fill, const QString& text = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;")) {
    return QStringLiteral("<span style=\"background-color:%1; color:%2\">&nbsp;%3&nbsp;</span>")
        .arg(FillColor(fill).name(), InkColor(Ink::Default, fill).name(), text);
}

QString Inked(Ink ink, const QString& text, bool bold = true) {
    return QStringLiteral("<span style=\"color:%1;%2\">%3</span>")
        .arg(InkColor(ink).name(), bold ? QStringLiteral(" font-weight:bold") : QString(), text);
}

QString Table(const char* caption, const std::vector<Entry>& entries) {
    QString html = QStringLiteral("<h3>%1</h3><table cellspacing=\"0\" cellpadding=\"3\">")
                       .arg(QString::fromUtf8(caption));
    for (const Entry& e : entries) {
        html += QStringLiteral(
                    "<tr><td align=\"center\" style=\"white-space:nowrap\">%1</td>"
                    "<td>%2</td></tr>")
                    .arg(e.sample, QString::fromUtf8(e.meaning));
    }
    return html + QStringLiteral("</table>");
}

QString Brackets() {
    QString html;
    for (int bracket = 1; bracket <= 8; ++bracket) {
        const Fill fill = analysis::BracketFill(bracket);
        html +=
            QStringLiteral("<span style=\"background-color:%1; color:%2\">&nbsp;%3&nbsp;</span>")
                .arg(FillColor(fill).name(), InkColor(Ink::Default, fill).name())
                .arg(bracket);
    }
    return html;
}

QString U(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

QString LegendDialog::LegendHtml() {
    QString html = Table(
        "印 (出馬表)",
        {
            {Inked(Ink::Red, U("◎")),
             "単推奨・複推奨: 騎手推奨表が、この騎手・騎乗パターン・人気の組み合わせを推す馬"},
            {Inked(Ink::Red, U("☆")),
             "◎のうち、レースの荒れ具合 (3連複1番人気のオッズ) から見て狙い目の人気にいる馬"},
            {U("○"), "Get: テン乗りで、前走の騎手が今日は別の馬に乗る馬"},
            {U("×"),
             "Give: 別の馬の前走の騎手が乗り替わってきた馬。× は「消し」の印ではありません"},
        });
    html += Table("出馬表の色",
                  {
                      {Brackets(), "枠: 枠番の色"},
                      {Swatch(Fill::Tooltip, U("馬")), "馬番 (見出しのクリックで並べ替え)"},
                      {Swatch(Fill::SameClass), "走数: 前走と同じクラス"},
                      {Swatch(Fill::ClassUp), "走数: 今回が前走より上のクラス"},
                      {Swatch(Fill::ClassDown), "走数: 今回が前走より下のクラス"},
                      {Swatch(Fill::Odds), "単ｵｯｽﾞ・複ｵｯｽﾞと単人気・複人気: 取得した最新のオッズ"},
                      {Swatch(Fill::Result), "着・確人気・確ｵｯｽﾞ: 確定した結果"},
                      {Inked(Ink::Red, U("1")) + QStringLiteral(" ") + Inked(Ink::Blue, U("2 3")),
                       "人気・着順の数字: 1 は赤、2 と 3 は青"},
                      {Inked(Ink::Grey, U("取消"), false), "灰色の行: 出走取消・競走除外の馬"},
                  });
    html += Table(
        "過去騎乗表の色",
        {
            {Brackets(), "枠: 枠番の色"},
            {Swatch(Fill::Tracked, U("馬")), "馬番の背景が赤: 追跡馬に登録した馬"},
            {Swatch(Fill::SameClass) + Swatch(Fill::ClassUp) + Swatch(Fill::ClassDown),
             "馬名欄の右下の四角: 前走とのクラス比較 (出馬表の走数と同じ色)"},
            {Inked(Ink::Blue, U("連続騎乗"), false), "馬名欄の青字: 今回の騎手の騎乗パターン"},
            {Inked(Ink::Red, U("騎手名"), false), "過去の走の騎手名が赤: 今回と同じ騎手"},
            {Inked(Ink::Red, U("1")) + QStringLiteral(" ") + Inked(Ink::Blue, U("2 3")),
             "着順・人気: 1 は赤、2 と 3 は青"},
        });
    return html;
}

LegendDialog::LegendDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LegendDialog"));
    setWindowTitle(QStringLiteral("印と色の説明"));
    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("LegendText"));
    text->setHtml(LegendHtml());
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    resize(kWidth, kHeight);
}

}  // namespace quindle::gui
