// The editor of the transliteration table, "Translit Table": one grid row per table line and one
// more for a new entry. Closing it after an edit, by OK or by the window's close button, makes the
// rows the program's table and replaces translit.tab with them.
#pragma once

#include "platform/FileSystem.h"
#include "text/Translit.h"

#include <QDialog>
#include <filesystem>

class QPushButton;
class QTableWidget;

namespace vennart::gui {

class TfrmTransliTable : public QDialog {
    Q_OBJECT
public:
    // The editor works on `table` and saves it to `file` through `fileSystem`; all three outlive it.
    TfrmTransliTable(text::TranslitTable& table, std::filesystem::path file, platform::FileSystem& fileSystem,
        QWidget* parent = nullptr);

    // Runs the editor modally. After an edit the table holds the rows even when the file cannot be
    // written; that failure throws "Cannot create file <path>" and leaves the old file as it was.
    void ShowTranslitTable();

    QTableWidget* sgTranslitTable;
    QPushButton* btnOK;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillGrid();
    void AppendEmptyRow();
    std::vector<text::TranslitRow> GridRows() const;
    void sgTranslitTableSetEditText(int column, int row, const QString& text);
    // Flags each row whose character an earlier row already has: saving puts it in that row's place.
    void MarkRepeatedCharacters();
    void ClearSelectedRows();

    text::TranslitTable& table_;
    std::filesystem::path file_;
    platform::FileSystem& fileSystem_;
    bool FChanged = false;
    bool FEditing = false;
};

} // namespace vennart::gui
