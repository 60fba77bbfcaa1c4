#include "platform/widgets/Controls.h"

#include "platform/widgets/Form.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/PictureBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace platform {

QPushButton* newButton(QWidget* parent, const QRect& geometry, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

QLabel* newLabel(QWidget* parent, const QRect& geometry, const QString& caption)
{
    auto* label = new QLabel(parent);
    // Captions come from language files: never read as markup (set before
    // the text, which is then not even examined for it).
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    return label;
}

QCheckBox* newCheckBox(QWidget* parent, const QRect& geometry, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(geometry);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

QGroupBox* newFrame(QWidget* parent, const QRect& geometry, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    return frame;
}

QFrame* newRectangleShape(QWidget* parent, const QColor& color, int band)
{
    auto* shape = new QFrame(parent);
    // A plain box is drawn in the foreground colour whatever the style.
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape->setLineWidth(band);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::WindowText, color);
    shape->setPalette(palette);
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    return shape;
}

QLineEdit* newTextBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setGeometry(geometry);
    return box;
}

ListTextBox* newListTextBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new ListTextBox(parent);
    box->setGeometry(geometry);
    return box;
}

PictureBox* newPictureBox(QWidget* parent, const QRect& geometry, const QString& designToolTip)
{
    auto* box = new PictureBox(parent);
    box->setGeometry(geometry);
    box->setToolTip(designToolTip);
    return box;
}

void makeOpaqueWhite(QLabel* label)
{
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
}

void fitCaption(QPushButton* button, qreal designPointSize, qreal smallest)
{
    // A window whose text grows with it asks for sizes in proportion.
    const qreal scale = Form::textScaleOf(button);
    designPointSize *= scale;
    smallest *= scale;
    QFont font = button->font();
    font.setPointSizeF(designPointSize);
    // Room for the frame and a little air on each side.
    const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin) - 4;
    while (font.pointSizeF() > smallest && QFontMetrics(font).horizontalAdvance(button->text()) > room)
        font.setPointSizeF(std::max(smallest, font.pointSizeF() - 0.5));
    button->setFont(font);
}

QFont designFont(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace platform
