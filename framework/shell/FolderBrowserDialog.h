#pragma once
// The folder browser's Qt dialog: a title text, an optional status line, a tree of the
// file system's folders under a root folder, OK and Cancel. It tells its owner about
// selection changes and right-clicks through the callbacks.

#include <QDialog>
#include <QModelIndex>
#include <functional>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

namespace zelm::framework {

class FolderBrowserDialog : public QDialog {
public:
    // rootPath is an existing absolute folder; "/" shows the root itself as the top item.
    // The new dialog style can be resized; the old one keeps its size.
    FolderBrowserDialog(QWidget* owner, const QString& rootPath, const QString& title, bool statusLine,
                        bool newStyle = false);

    // Selects an existing folder at or below the root; false (and no change) otherwise.
    bool SelectPath(const QString& path);
    // The selected folder; the root while nothing is selected.
    QString SelectedPath() const;
    void EnableOk(bool enable);
    void SetStatusText(const QString& text);

    std::function<void(const QString& path)> onSelectionChanged;
    std::function<void(const QPoint& globalPos)> onContextMenu;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ReportSelection();
    // Folders are read and sorted after the selection was made, moving it out of view:
    // it is scrolled back until the user scrolls or clicks in the tree.
    void KeepSelectionInView();
    QModelIndex Reveal(const QString& path);

    QString m_rootPath;
    QString m_reportedPath;
    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QLabel* m_status = nullptr;
    bool m_followSelection = true;
    QDialogButtonBox* m_buttons;
};

}  // namespace zelm::framework
