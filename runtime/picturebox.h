#pragma once

#include <QPixmap>
#include <QWidget>

namespace rt {

// A picture box: shows a picture from its top-left corner and, unlike a label, takes the
// focus in the tab order.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace rt
