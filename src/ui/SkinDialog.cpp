#include "ui/SkinDialog.h"

#include "app/Program.h"
#include "fretboard/Geometry.h"
#include "ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace chordalis {

SkinDialog::SkinDialog(Program& program, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), m_program(program), m_boxes(boxes), m_files(new QListWidget),
      m_preview(new QLabel) {
    setObjectName(QStringLiteral("frmFBDesign"));
    setWindowTitle(QStringLiteral("Available Fretboards"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setFixedHeight(110);
    connect(m_files, &QListWidget::currentRowChanged, this, [this](int row) {
        m_chooser.click(m_program, row);
        showChooser();
    });
    layout->addWidget(m_files);

    layout->addWidget(new QLabel(QStringLiteral("Preview")));
    m_preview->setObjectName(QStringLiteral("imgPreview"));
    m_preview->setFixedSize(SurfaceWidth, SurfaceHeight);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_preview);

    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool SkinDialog::prepare() {
    if (!m_chooser.open(m_program, m_boxes))
        return false;
    const QSignalBlocker blocker(m_files);
    m_files->clear();
    m_files->addItems(m_chooser.File1);
    showChooser();
    return true;
}

void SkinDialog::showChooser() {
    {
        const QSignalBlocker blocker(m_files);
        m_files->setCurrentRow(m_chooser.selected);
        if (m_chooser.selected < 0)
            m_files->clearSelection();
    }
    if (m_chooser.imgPreview.isNull())
        m_preview->clear();
    else
        m_preview->setPixmap(QPixmap::fromImage(m_chooser.imgPreview.scaled(
            SurfaceWidth, SurfaceHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void SkinDialog::accept() {
    QDialog::accept();
    m_chooser.ok(m_program);
}

} // namespace chordalis
