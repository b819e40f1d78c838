#pragma once

#include <QDialog>
#include <QString>

class QAbstractButton;
class QFileDialog;

namespace kivo {

class CropEditor;
class Settings;

// The photo-editing window: the crop editor over the whole of its opener's window, with
// "Close". Closing hands the photo the browser has selected (the setting
// "prefCurrentFullPathForIKImageView") back to the opener, which shows it again.
class PhotoEditingWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PhotoEditingWindow(Settings& settings, QWidget* parent = nullptr);

    // Covers the parent's window and opens PATH in the editor (none: the editor stays empty).
    void showPhoto(const QString& path);
    // "Done" also closes the window when set (off at first).
    void setCloseWhenDone(bool close) { m_closeWhenDone = close; }

    CropEditor* editor() const { return m_editor; }
    QAbstractButton* closeButton() const { return m_close; }
    // "Open...": a photo of the images folder chosen in a file panel opens in the editor.
    QAbstractButton* openButton() const { return m_open; }
    QFileDialog* openPanel() const { return m_openPanel; }

signals:
    // The window closed; PATH is the photo to show again (empty when there is none).
    void photoHandedBack(const QString& path);

private:
    void handBackAndClose();
    void choosePhoto();

    Settings& m_settings;
    CropEditor* m_editor = nullptr;
    QAbstractButton* m_close = nullptr;
    QAbstractButton* m_open = nullptr;
    QFileDialog* m_openPanel = nullptr;
    bool m_closeWhenDone = false;
};

} // namespace kivo
