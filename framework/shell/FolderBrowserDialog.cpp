#include "framework/shell/FolderBrowserDialog.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelm::framework {

namespace {

bool IsAtOrBelow(const QString& path, const QString& root)
{
    return root == "/" || path == root || path.startsWith(root + '/');
}

}  // namespace

FolderBrowserDialog::FolderBrowserDialog(QWidget* owner, const QString& rootPath, const QString& title, bool statusLine,
                                         bool newStyle)
    : QDialog(owner), m_rootPath(rootPath), m_reportedPath(rootPath)
{
    setObjectName("zelmFolderBrowser");
    setWindowTitle("Browse For Folder");
    auto* layout = new QVBoxLayout(this);
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName("zelmFolderBrowserTitle");
    titleLabel->setWordWrap(true);
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setVisible(!title.isEmpty());
    layout->addWidget(titleLabel);
    if (statusLine) {
        m_status = new QLabel(this);
        m_status->setObjectName("zelmFolderBrowserStatus");
        m_status->setTextFormat(Qt::PlainText);
        layout->addWidget(m_status);
    }

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(rootPath);
    m_tree = new QTreeView(this);
    m_tree->setObjectName("zelmFolderTree");
    m_tree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column) m_tree->hideColumn(column);
    m_tree->header()->hide();
    // The file-system root is the top item; any other root shows what is inside it.
    m_tree->setRootIndex(rootPath == "/" ? QModelIndex() : m_model->index(rootPath));
    layout->addWidget(m_tree);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { ReportSelection(); });

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderBrowserDialog::KeepSelectionInView);
    connect(m_model, &QFileSystemModel::layoutChanged, this, &FolderBrowserDialog::KeepSelectionInView);
    connect(m_model, &QFileSystemModel::rowsInserted, this, &FolderBrowserDialog::KeepSelectionInView);
    connect(m_tree, &QTreeView::pressed, this, [this] { m_followSelection = false; });
    connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_followSelection = false; });
    if (newStyle) {
        setSizeGripEnabled(true);
        resize(340, 420);
    } else {
        setFixedSize(340, 420);
    }
    SelectPath(rootPath);
    if (rootPath == "/") m_tree->expand(m_model->index(rootPath));
}

QModelIndex FolderBrowserDialog::Reveal(const QString& path)
{
    QModelIndex index = m_model->index(path);
    if (!index.isValid() && !(m_model->filter() & QDir::Hidden)) {
        // Hidden folders are left out of the tree until one is asked for.
        m_model->setFilter(m_model->filter() | QDir::Hidden);
        index = m_model->index(path);
    }
    return index;
}

bool FolderBrowserDialog::SelectPath(const QString& requested)
{
    if (requested.isEmpty() || !QDir::isAbsolutePath(requested)) return false;
    QString path = QDir::cleanPath(requested);
    if (!QFileInfo(path).isDir() || !IsAtOrBelow(path, m_rootPath)) return false;
    if (path == m_rootPath && m_rootPath != "/") {
        m_tree->setCurrentIndex(QModelIndex());
        return true;
    }
    QModelIndex found = Reveal(path);
    if (!found.isValid()) return false;
    m_tree->setCurrentIndex(found);
    m_tree->scrollTo(found);
    m_followSelection = true;
    return true;
}

QString FolderBrowserDialog::SelectedPath() const
{
    QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : m_rootPath;
}

void FolderBrowserDialog::EnableOk(bool enable)
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(enable);
}

void FolderBrowserDialog::SetStatusText(const QString& text)
{
    if (m_status) m_status->setText(text);
}

void FolderBrowserDialog::ReportSelection()
{
    QString path = SelectedPath();
    if (path == m_reportedPath) return;
    m_reportedPath = path;
    if (onSelectionChanged) onSelectionChanged(path);
}

void FolderBrowserDialog::KeepSelectionInView()
{
    const QModelIndex current = m_tree->currentIndex();
    if (m_followSelection && current.isValid()) m_tree->scrollTo(current);
}

void FolderBrowserDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (onContextMenu) onContextMenu(event->globalPos());
    event->accept();
}

}  // namespace zelm::framework
