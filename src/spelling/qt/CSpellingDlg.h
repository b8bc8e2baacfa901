#pragma once
// "Spelling Error": walks the texts of the current inspection one misspelled
// word at a time, showing it in its sentence, with "Change", "Change All",
// "Ignore", "Ignore All" and "Add to Dictionary". Every change is written at
// once; "Change All" writes all of its changes in one transaction.
#include "spelling/InspectionSpelling.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace spelling::qt {

class CSpellingDlg : public QDialog {
    Q_OBJECT
public:
    CSpellingDlg(std::vector<TextPlace> places, SpellChecker& checker, QWidget* parent = nullptr);

    // Moves to the first misspelled word; false when there is none.
    bool Start();
    // Whether any text was changed (the views then read the inspection again).
    bool Changed() const { return m_changed; }

private:
    void OnChange();
    void OnChangeAll();
    void OnIgnore();
    void OnIgnoreAll();
    void OnAddToDictionary();
    // Finds the next misspelled word from the current place and offset and
    // shows it; closes the dialog with a message when none is left.
    void FindNext();
    void Show();

    std::vector<TextPlace> m_places;
    SpellChecker& m_checker;
    std::size_t m_place = 0;   // the place being walked
    std::size_t m_offset = 0;  // where the search goes on in its text
    Misspelling m_current;
    bool m_changed = false;
    bool m_done = false;

    QLabel* m_where;
    QTextEdit* m_context;
    QLineEdit* m_changeTo;
    QListWidget* m_suggestions;
    QPushButton* m_change;
    QPushButton* m_changeAll;
};

} // namespace spelling::qt
