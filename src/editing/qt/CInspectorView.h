#pragma once
// The inspection setup form: the job data of the current inspection and its
// document type. Every change is written to the inspection at once.
#include "app/qt/CView.h"

#include <QString>

#include <array>
#include <string>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
class CInspectorDoc;
}

namespace editing::qt {

class CInspectorView : public app::qt::CView {
    Q_OBJECT
public:
    // The pick-list combos, in the order of their lists below.
    enum PickCombo { DwellingCityStateZip, ClientCityStateZip, ClientsAgent, RealEstateCompany, PickComboCount };
    // The entry that opens the list editor, always last in a pick-list combo.
    static const QString kEditList;
    // The date and time as the form shows them.
    static const QString kDateTimeFormat;

    CInspectorView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;
    // Loads the current inspection of the document into the form.
    void ShowInspection();
    // Writes the form into the current inspection and saves it.
    void WriteAndSave();

    // The list read into combo `which`: its label list when that has entries,
    // else its own list; and the list "Edit List..." edits.
    static std::string ListShownIn(PickCombo which);
    static const char* EditedList(PickCombo which);

    QLineEdit* DwellingAddressEdit() const { return m_dwellingAddress; }
    QLineEdit* ClientNameEdit() const { return m_clientName; }
    QLineEdit* ClientAddressEdit() const { return m_clientAddress; }
    QLineEdit* DocNumEdit() const { return m_docNum; }
    // Says why the Doc # typed is not saved (another inspection has it); hidden otherwise.
    QLabel* DocNumError() const { return m_docNumError; }
    QComboBox* PickList(PickCombo which) const { return m_pick[which]; }
    QComboBox* DocTypeCombo() const { return m_docType; }
    QDateTimeEdit* DateTimeEdit() const { return m_dateTime; }
    QLabel* Label(int index) const { return m_labels[index]; }
    QPushButton* NewInspectionButton() const { return m_newInspection; }

    // Runs the pick-list selection of `which` at entry `index`.
    void OnPickListSelected(PickCombo which, int index);
    // Runs the document type selection of entry `index`.
    void OnDocTypeSelected(int index);

private:
    void FillPickList(PickCombo which);
    void FillDocTypes();
    void OnFieldEdited();
    bool Loading() const { return m_loading > 0; }

    app::CInspectorDoc& m_doc;
    int m_shownID = -1;        // the inspection the form holds, -1 before the first
    std::string m_docTypeName; // the document type of the inspection the form holds
    int m_loading = 0;         // > 0 while the form is filled by the program
    std::array<QString, PickComboCount> m_pickText; // text before the last selection

    QLineEdit* m_dwellingAddress;
    QLineEdit* m_clientName;
    QLineEdit* m_clientAddress;
    QLineEdit* m_docNum;
    QLabel* m_docNumError;
    std::array<QComboBox*, PickComboCount> m_pick{};
    QComboBox* m_docType;
    QDateTimeEdit* m_dateTime;
    QPushButton* m_newInspection;
    // Labels: dwelling address, client address, client's agent, doc type,
    // real estate company, doc #, client name, date time.
    std::array<QLabel*, 8> m_labels{};
};

} // namespace editing::qt
