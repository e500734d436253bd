// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TCheckBox.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace {

// The application's style with two changes for check boxes: the box is
// drawn flat, and the area that takes a click (which is also the area the
// accessibility interface reports) is the whole control. Left alone, that
// area ends with the caption's text, so "Nocase sensivity" would cover
// 105 of its 115 pixels.
class CheckBoxStyle : public QProxyStyle {
public:
    CheckBoxStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        if (element == SE_CheckBoxClickRect)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        DrawFlatBox(*option, *painter);
    }

private:
    // A field in the edit colour (the button colour while it is pressed)
    // with a single-line border in the text colour, and the tick.
    static void DrawFlatBox(const QStyleOption& option, QPainter& painter)
    {
        const QPalette& colours = option.palette;
        const QColor ink = colours.color(QPalette::WindowText);
        const QRect box = option.rect;
        painter.save();
        const bool pressed = option.state & State_Sunken;
        painter.fillRect(box, colours.color(pressed ? QPalette::Button : QPalette::Base));
        painter.setPen(ink);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        const QRectF inner = QRectF(box).adjusted(3, 3, -3, -3);
        if (option.state & State_NoChange) {
            painter.fillRect(inner, colours.color(QPalette::Mid));
        } else if (option.state & State_On) {
            QPainterPath tick;
            tick.moveTo(inner.left(), inner.top() + inner.height() * 0.5);
            tick.lineTo(inner.left() + inner.width() * 0.38, inner.bottom() - inner.height() * 0.1);
            tick.lineTo(inner.right(), inner.top() + inner.height() * 0.1);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(tick);
        }
        painter.restore();
    }
};

// One style serves every check box; it goes with the application.
QStyle* SharedCheckBoxStyle()
{
    static QPointer<CheckBoxStyle> style;
    if (!style) {
        style = new CheckBoxStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

}  // namespace

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent), TControl(this)
{
    setStyle(SharedCheckBoxStyle());
    setFocusPolicy(Qt::StrongFocus);
}

QRect TCheckBox::BoxRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
}
