#pragma once

#include "screens/ImageBrowserModel.h"

#include <QDialog>
#include <QStringList>

class QAbstractButton;
class QLayout;

namespace kivo {

class ImageBrowserView;
class InstructionSheet;
class ValueLabel;

// The window in which a customer marks the photos to buy before the sale starts: the visit's
// photos two rows at a time, the marked and total counts, the instructions, paging, "Unmark All"
// and "Continue". Continuing with more than 40 photos chosen is refused with an alert; otherwise
// the window closes and hands over the chosen photos by their paths.
class MarkingWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRows = 2;

    explicit MarkingWindow(QWidget* parent = nullptr);

    // Covers the parent's window with PHOTOS; with MARKMETHOD a touch toggles a photo, without
    // it a touch chooses one photo.
    void showPhotos(const QStringList& photos, bool markMethod);
    // Looks for the instruction file in FOLDERS (the usual folders when not set) and shows it
    // over this window between its heading and its buttons, so that the heading, the counts and
    // the buttons stay in sight; false when there is none.
    bool showInstructions();
    void setInstructionFolders(const QStringList& folders) { m_instructionFolders = folders; }
    // The action of a button by its alternate title: "continue" or "unmarkall".
    void onButtonAction(const QString& alternateTitle);
    // Closes the window and empties its browser without handing anything over (start-over).
    void closeOut();

    ImageBrowserModel& model() { return m_model; }
    ImageBrowserView* browser() const { return m_browser; }
    InstructionSheet* instructions() const { return m_instructions; }
    ValueLabel* selectionCount() const { return m_selectionCount; }
    ValueLabel* totalCount() const { return m_totalCount; }
    QAbstractButton* continueButton() const { return m_continue; }
    QAbstractButton* unmarkAllButton() const { return m_unmarkAll; }

    // Escape does not close the window: the choice ends with "Continue" (or a start-over).
    void reject() override {}

signals:
    // The customer finished: CHOICE carries the marked photos' paths (none marked: empty).
    void photosChosen(const kivo::PhotoChoice& choice);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void finish();
    void adjustColumns();

    ImageBrowserModel m_model;
    ImageBrowserView* m_browser = nullptr;
    InstructionSheet* m_instructions = nullptr;
    QLayout* m_heading = nullptr;
    QLayout* m_actions = nullptr;
    ValueLabel* m_selectionCount = nullptr;
    ValueLabel* m_totalCount = nullptr;
    QAbstractButton* m_continue = nullptr;
    QAbstractButton* m_unmarkAll = nullptr;
    QStringList m_instructionFolders;
};

} // namespace kivo
