#pragma once
// TRadioGroup, a titled frame of mutually exclusive choices laid out in columns, the first
// column filled top to bottom before the next. ItemIndex is the checked item, -1 for none.

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

#include <memory>
#include <string>
#include <vector>

namespace app {

class TRadioGroup : public QGroupBox {
public:
    explicit TRadioGroup(QWidget *parent = nullptr);
    ~TRadioGroup() override;

    // Replaces the items; none is checked afterwards.
    void SetItems(const std::vector<std::string> &items);
    int Count() const noexcept { return static_cast<int>(FButtons.size()); }
    // The caption of one item; index 0..Count()-1.
    QString Item(int index) const;
    // The button of one item; index 0..Count()-1.
    QRadioButton &Button(int index) const;

    // At least 1; the items are laid out again.
    int Columns() const noexcept { return FColumns; }
    void SetColumns(int columns);

    int ItemIndex() const;
    // Checks that item; -1 or any index outside the items unchecks them all.
    void SetItemIndex(int index);

private:
    void LayOut();

    int FColumns = 1;
    // Declared before the buttons so they leave it before it goes.
    QGridLayout FLayout;
    QButtonGroup FGroup;
    std::vector<std::unique_ptr<QRadioButton>> FButtons;
};

} // namespace app
