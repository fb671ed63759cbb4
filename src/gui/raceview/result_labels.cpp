#include "gui/raceview/result_labels.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "gui/common/controls.h"
#include "gui/common/qt_text.h"

namespace quindle::gui {
namespace {

using store::layout::hr::BetType;

struct BetGroup {
    BetType type;
    const char* caption;  // UTF-8
    const char* name;     // prefix of the labels' names
};

constexpr BetGroup kGroups[] = {
    {BetType::Win, "単勝", "Tansho"},
    {BetType::Place, "複勝", "Fukusho"},
    {BetType::BracketQuinella, "枠連", "Wakuren"},
    {BetType::Quinella, "馬連", "Umaren"},
    {BetType::QuinellaPlace, "ﾜｲﾄﾞ", "Wide"},
    {BetType::Exacta, "馬単", "Umatan"},
    {BetType::Trio, "三連複", "Sanrenpuku"},
    {BetType::Trifecta, "三連単", "Sanrentan"},
};
static_assert(std::size(kGroups) == store::layout::hr::kBetTypeCount);

// The captions the three labels of a slot carry until a race fills them.
constexpr const char* kSlotCaptions[] = {"結果：", "人気：", "配当："};
constexpr const char* kSlotNames[] = {"Kekka", "Ninki", "Haito"};
// The grid columns of the three labels (combination, popularity, payout):
// the payout stands next to its combination.
constexpr int kSlotColumns[] = {0, 2, 1};
// The headings above the columns, in column order.
constexpr const char* kHeadings[] = {"組番", "払戻金", "人気"};

// Groups per row of the page.
constexpr int kGroupColumns = 4;

QGroupBox* BuildGroup(QWidget* parent, const BetGroup& group,
                      std::vector<PayoutLabels>& slotLabels) {
    auto* box = new QGroupBox(QString::fromUtf8(group.caption), parent);
    box->setObjectName(QString::fromLatin1(group.name) + QStringLiteral("Group"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    for (int column = 0; column < 3; ++column) {
        const std::string name = std::string(group.name) + "Heading" + std::to_string(column + 1);
        QLabel* heading = MakeLabel(box, name.c_str(), kHeadings[column]);
        heading->setAlignment(column == 0 ? Qt::AlignLeft : Qt::AlignRight);
        heading->setStyleSheet(QStringLiteral("color: dimgray;"));
        grid->addWidget(heading, 0, column);
    }
    const int count = store::layout::hr::Slots(group.type);
    for (int slot = 0; slot < count; ++slot) {
        QLabel* labels[3];
        for (int k = 0; k < 3; ++k) {
            const std::string name =
                std::string(group.name) + kSlotNames[k] + std::to_string(slot + 1);
            labels[k] = MakeLabel(box, name.c_str(), kSlotCaptions[k]);
            labels[k]->setAlignment(k == 0 ? Qt::AlignLeft : Qt::AlignRight);
            grid->addWidget(labels[k], slot + 1, kSlotColumns[k]);
        }
        slotLabels.push_back({labels[0], labels[1], labels[2]});
    }
    grid->setRowStretch(count + 1, 1);
    return box;
}

}  // namespace

const std::vector<PayoutLabels>& ResultLabels::Of(BetType type) const {
    return byType[static_cast<size_t>(type)];
}

ResultLabels BuildResultLabels(QWidget* parent) {
    ResultLabels result;
    result.TabSheet16 = new QWidget(parent);
    result.TabSheet16->setObjectName(QStringLiteral("TabSheet16"));
    auto* layout = new QGridLayout(result.TabSheet16);
    int i = 0;
    for (const BetGroup& group : kGroups) {
        QGroupBox* box =
            BuildGroup(result.TabSheet16, group, result.byType[static_cast<size_t>(group.type)]);
        layout->addWidget(box, i / kGroupColumns, i % kGroupColumns, Qt::AlignTop);
        ++i;
    }
    layout->setRowStretch(2, 1);
    return result;
}

void ClearResultLabels(const ResultLabels& labels) {
    for (const auto& type : labels.byType) {
        for (const PayoutLabels& slot : type) {
            for (QLabel* label : {slot.key, slot.popularity, slot.payout}) label->clear();
        }
    }
}

void ShowResultLabels(const ResultLabels& labels,
                      const std::vector<model::PayoutSlotText>& slotTexts) {
    for (const model::PayoutSlotText& text : slotTexts) {
        if (!text.filled) continue;
        const auto& type = labels.Of(text.type);
        if (text.slot < 0 || text.slot >= static_cast<int>(type.size())) continue;
        const PayoutLabels& slot = type[static_cast<size_t>(text.slot)];
        slot.key->setText(FromUtf8(text.key));
        slot.popularity->setText(FromUtf8(text.popularity));
        slot.payout->setText(FromUtf8(model::YenText(text.amount)));
    }
}

}  // namespace quindle::gui
