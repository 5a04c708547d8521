#include "app/radiogroup.h"

#include <algorithm>

namespace app {

TRadioGroup::TRadioGroup(QWidget *parent) : QGroupBox(parent), FLayout(this)
{
    FGroup.setExclusive(true);
}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::SetItems(const std::vector<std::string> &items)
{
    FButtons.clear();
    FButtons.reserve(items.size());
    for (const std::string &caption : items) {
        auto &button = FButtons.emplace_back(
            std::make_unique<QRadioButton>(QString::fromStdString(caption), this));
        FGroup.addButton(button.get(), static_cast<int>(FButtons.size()) - 1);
    }
    LayOut();
}

QString TRadioGroup::Item(int index) const
{
    return Button(index).text();
}

QRadioButton &TRadioGroup::Button(int index) const
{
    return *FButtons.at(static_cast<std::size_t>(index));
}

void TRadioGroup::SetColumns(int columns)
{
    FColumns = std::max(columns, 1);
    LayOut();
}

int TRadioGroup::ItemIndex() const
{
    return FGroup.checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < Count()) {
        FButtons[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; unchecking all needs it lifted.
    FGroup.setExclusive(false);
    for (const auto &button : FButtons)
        button->setChecked(false);
    FGroup.setExclusive(true);
}

void TRadioGroup::LayOut()
{
    for (const auto &button : FButtons)
        FLayout.removeWidget(button.get());
    const int perColumn = (Count() + FColumns - 1) / FColumns;
    for (int i = 0; i < Count(); ++i)
        FLayout.addWidget(FButtons[static_cast<std::size_t>(i)].get(), i % perColumn, i / perColumn);
}

} // namespace app
