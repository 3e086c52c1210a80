// The layout of one rule row of "Make tags from file name": controls placed from the left, each one
// pixel after the previous one, all as high as a drop-down list, on a white background.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace vennart::gui {

void PaintWhite(QWidget* widget);

class TagRuleRowLayout {
public:
    TagRuleRowLayout(QWidget* box, int top, const QFont& font, QObject* keyFilter)
        : box_(box)
        , top_(top)
        , height_(QComboBox().sizeHint().height())
        , metrics_(font)
        , keyFilter_(keyFilter)
    {
    }

    QCheckBox* CheckBox(const QString& name, const QString& caption)
    {
        auto* box = new QCheckBox(caption);
        box->setObjectName(name);
        PaintWhite(box);
        // Room for the caption beside the check mark.
        Place(box, metrics_.horizontalAdvance(QStringLiteral("T1234567890")) + kCheckMarkWidth);
        return box;
    }

    QLabel* Label(const QString& text)
    {
        auto* label = new QLabel(text);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PaintWhite(label);
        Place(label, metrics_.horizontalAdvance(text));
        return label;
    }

    // The mode, then the position edit and the symbol edit on one spot, then the count.
    void Bound(const QString& prefix, QComboBox*& mode, QLineEdit*& position, QLineEdit*& symbol,
        QLabel*& countLabel, QLineEdit*& count)
    {
        mode = new QComboBox;
        mode->setObjectName(Named(prefix, "Mode"));
        mode->addItems({ QStringLiteral("Position"), QStringLiteral("Symbol") });
        Place(mode, 2 * metrics_.horizontalAdvance(QStringLiteral("Position")));
        const int spot = left_;
        position = NumberEdit(Named(prefix, "Position"));
        left_ = spot;
        symbol = new QLineEdit;
        symbol->setObjectName(Named(prefix, "Symbol"));
        Place(symbol, EditWidth());
        countLabel = Label(QStringLiteral("Count"));
        count = NumberEdit(Named(prefix, "Count"));
    }

private:
    static constexpr int kCheckMarkWidth = 24;

    // "From" + "TIT2" and "Position" give "FromPositionTIT2".
    static QString Named(const QString& prefix, const char* part)
    {
        return prefix.left(prefix.size() - 4) + QLatin1String(part) + prefix.right(4);
    }

    int EditWidth() const { return metrics_.horizontalAdvance(QStringLiteral("123456")); }

    QLineEdit* NumberEdit(const QString& name)
    {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->installEventFilter(keyFilter_);
        Place(edit, EditWidth());
        return edit;
    }

    void Place(QWidget* control, int width)
    {
        control->setParent(box_);
        control->setGeometry(left_, top_, width, height_);
        left_ += width + 1;
    }

    QWidget* box_;
    int top_;
    int height_;
    QFontMetrics metrics_;
    QObject* keyFilter_;
    int left_ = 0;
};

} // namespace vennart::gui
