#pragma once
// A plain-text label of one or more lines whose width never depends on its
// text: it takes the width its layout gives it, cuts every line that does not
// fit with an ellipsis, and then offers the whole text as its tool tip. A
// window holding it therefore never grows with what the label shows.
#include <QLabel>
#include <QString>

class QFontMetrics;

namespace remote {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text to show; lines are separated by '\n'.
    void SetFullText(const QString& text);
    const QString& FullText() const { return m_fullText; }

    // The text as shown in a width of `width` pixels: each line that is wider
    // is cut at its end with an ellipsis.
    static QString ElideLines(const QString& text, const QFontMetrics& metrics, int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();

    QString m_fullText;
};

} // namespace remote
