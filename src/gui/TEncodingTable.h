// "Select active encoding tables": one checkable entry per catalogue code page, from which the user
// chooses the code pages that the view and re-encoding menus and the combo boxes offer.
#pragma once

#include "platform/Strings.h"
#include "text/UStringConvert.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace vennart::gui {

class TEncodingTable : public QDialog {
    Q_OBJECT
public:
    // The dialog lists `catalogue`'s entries and checks its active ones; the catalogue outlives it.
    explicit TEncodingTable(const text::EncodingCatalogue& catalogue, QWidget* parent = nullptr);

    // Shows the dialog modally. On OK, when the checked code pages differ from `codePages` as a
    // multiset, `codePages` becomes them in catalogue order joined by "," (empty when none is
    // checked) and the result is true; otherwise `codePages` stays as it was.
    bool SelectEncodingTables(AnsiString& codePages);

    QListWidget* clbEncodingTables;
    QLabel* labNeedsEightBit;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void FillEncodingTables();
    void FitListWidth();
    AnsiString CheckedCodePages() const;
    void clbEncodingTablesClickCheck();

    const text::EncodingCatalogue& catalogue_;
};

} // namespace vennart::gui
