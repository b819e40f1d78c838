#pragma once

#include <QString>

namespace kivo {

// The formatter of the keypad's entry field: at most maxLength characters (6),
// and only digits and the "*" and "#" of the command codes; anything else is
// taken out, with a beep.
class EntryFieldFormatter
{
public:
    struct Result
    {
        bool accepted = true; // false: the edit is refused and the field keeps its old text
        QString text;         // the text the field shows after the edit
        bool beep = false;
    };

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }

    // Checks PROPOSED, the field's text after an edit (typed, pasted or scanned).
    Result isPartialStringValid(const QString& proposed) const;

private:
    int m_maxLength = 6;
};

} // namespace kivo
