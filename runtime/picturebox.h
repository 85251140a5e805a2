#pragma once

#include <QIcon>
#include <QWidget>

namespace rt {

// A picture box: shows a picture from its top-left corner and, unlike a label, takes the
// focus in the tab order. The picture is an icon, so that a high-DPI screen gets the image made
// for its pixel ratio.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QIcon picture READ picture WRITE setPicture)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QIcon picture() const { return m_picture; }
    // Shown at the size of its smallest image.
    void setPicture(const QIcon &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
    QSize m_size;
};

} // namespace rt
