#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QTextBrowser;

namespace kivo {

// The sheet that tells the customer how to mark their photos: the instruction file shown as a
// picture or as text over the marking window; "Close" ends it.
class InstructionSheet : public QDialog
{
    Q_OBJECT

public:
    explicit InstructionSheet(QWidget* parent = nullptr);

    // Shows the file at PATH over the parent window, centred in AREA (screen coordinates) when
    // it is given, no larger than its text or picture and the Close button need; false (and
    // nothing shown) when it cannot be read.
    bool showFile(const QString& path, const QRect& area = QRect());
    void closeInstructionWindow();

    QString shownFile() const { return m_path; }
    QLabel* pictureView() const { return m_picture; }
    QTextBrowser* textView() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPicture();
    // Shrinks the sheet around its content, within AREA, and centres it there.
    void fitInto(const QRect& area);

    QLabel* m_picture = nullptr;
    QTextBrowser* m_text = nullptr;
    QImage m_image;
    QString m_path;
};

} // namespace kivo
