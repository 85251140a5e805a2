#include "picturebox.h"

#include <QPainter>
#include <algorithm>

namespace rt {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureBox::setPicture(const QIcon &picture)
{
    m_picture = picture;
    const QList<QSize> sizes = picture.availableSizes();
    m_size = sizes.isEmpty() ? QSize()
                             : *std::min_element(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
                                   return a.width() < b.width();
                               });
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(&painter, QRect(QPoint(0, 0), m_size), Qt::AlignLeft | Qt::AlignTop);
}

} // namespace rt
