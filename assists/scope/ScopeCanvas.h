#pragma once
// PDraw: the drawing box that shows the scope's picture at its natural size
// (in logical pixels; a picture with a device pixel ratio is shown one device
// pixel for one).
#include <QImage>
#include <QWidget>

namespace scope {

class ScopeCanvas : public QWidget {
    Q_OBJECT
public:
    ScopeCanvas(const QImage& picture, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& m_picture;
};

} // namespace scope
