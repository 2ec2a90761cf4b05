#include "app/grid/msflexgrid1.h"

#include <QAbstractEventDispatcher>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "app/grid/grid_model.h"

namespace {

constexpr float kFontPointsAsCreated = 9.75f;
constexpr int32_t kDefaultColumnTwips = 960;
constexpr int64_t kTwipsPerInch = 1440;
// Widths and sizes from a hand-written layout file may be absurd; these keep Qt's
// arithmetic and painting sane while the grid still reports the values it was given.
constexpr int64_t kMaxColumnPixels = 32767;
constexpr float kMaxShownPoints = 400.0f;
constexpr int kRowPadding = 4;

// Debian's fonts-wine package ships a Tahoma that the desktop's font list does not include;
// it keeps the grid's columns as wide as their captions need.
bool registerPackagedTahoma(const QString& tahoma) {
    const int id =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(tahoma);
}

// The grid is made with Tahoma; a machine without it gets a sans font it has, at the same
// point size, so the font steps and the layout file keep their numbers.
QString sansFamily() {
    const QString tahoma = QStringLiteral("Tahoma");
    if (QFontDatabase::hasFamily(tahoma) || registerPackagedTahoma(tahoma)) return tahoma;
    QFont probe(QStringLiteral("Sans Serif"));
    probe.setStyleHint(QFont::SansSerif);
    return QFontInfo(probe).family();
}

}  // namespace

CMsflexgrid1::CMsflexgrid1(QWidget* parent)
    : QTableView(parent),
      model_(new GridModel(this)),
      fontFamily_(sansFamily()),
      fontSize_(kFontPointsAsCreated) {
    setModel(model_);
    setAccessibleName(QStringLiteral("agent grid"));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    // Cells that were never coloured are black on white whatever the desktop's colours.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);

    applyFont();
    widthTwips_.fill(kDefaultColumnTwips);
    for (int32_t column = 0; column < getColumnCount(); ++column) applyColumnWidth(column);

    // Whatever the event loop would paint while painting is suspended (an expose, a scroll)
    // could show a half-written row: the first wake-up of the loop holds all painting.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::awake, this,
                &CMsflexgrid1::holdPaintingWhileSuspended);
}

CMsflexgrid1::~CMsflexgrid1() = default;

bool CMsflexgrid1::setRowCount(int32_t rows) {
    holdPaintingWhileSuspended();
    return model_->setRowCount(rows);
}

bool CMsflexgrid1::setColumnCount(int32_t columns) {
    holdPaintingWhileSuspended();
    const int32_t before = getColumnCount();
    if (!model_->setColumnCount(columns)) return false;
    for (int32_t column = before; column < columns; ++column) {
        widthTwips_[column] = kDefaultColumnTwips;
        applyColumnWidth(column);
    }
    return true;
}

int32_t CMsflexgrid1::getColumnCount() const {
    return model_->store().columnCount();
}

bool CMsflexgrid1::setCurrentRow(int32_t row) {
    if (row < 0 || row >= model_->store().rowCount()) return false;
    currentRow_ = row;
    return true;
}

bool CMsflexgrid1::setCurrentColumn(int32_t column) {
    if (column < 0 || column >= getColumnCount()) return false;
    currentColumn_ = column;
    return true;
}

// While suspended, cell changes are only collected: nothing asks for a paint, so resuming
// repaints just the cells that changed. Anything else (rows, columns, sizes, the event loop
// running) holds all painting, and resuming then repaints the whole grid once.
void CMsflexgrid1::setRedraw(bool enabled) {
    if (!enabled) {
        suspended_ = true;
        model_->suspendChangeSignals();
        return;
    }
    if (!suspended_) return;
    suspended_ = false;
    model_->resumeChangeSignals();
    if (paintingHeld_) {
        paintingHeld_ = false;
        setUpdatesEnabled(true);
    }
}

void CMsflexgrid1::holdPaintingWhileSuspended() {
    if (!suspended_ || paintingHeld_) return;
    paintingHeld_ = true;
    setUpdatesEnabled(false);
}

bool CMsflexgrid1::setCellBackColour(uint32_t colour) {
    return model_->setBackColour(currentRow_, currentColumn_, colour);
}

bool CMsflexgrid1::setCellForeColour(uint32_t colour) {
    return model_->setForeColour(currentRow_, currentColumn_, colour);
}

bool CMsflexgrid1::getColumnAlignment(int32_t column, int16_t& code) const {
    return model_->alignment(column, code);
}

bool CMsflexgrid1::setColumnAlignment(int32_t column, int16_t code) {
    return model_->setAlignment(column, code);
}

bool CMsflexgrid1::getColumnWidth(int32_t column, int32_t& twips) const {
    if (column < 0 || column >= getColumnCount()) return false;
    twips = widthTwips_[column];
    return true;
}

bool CMsflexgrid1::setColumnWidth(int32_t column, int32_t twips) {
    if (column < 0 || column >= getColumnCount() || twips < 0) return false;
    holdPaintingWhileSuspended();
    widthTwips_[column] = twips;
    applyColumnWidth(column);
    return true;
}

const char* CMsflexgrid1::getCellText(int32_t row, int32_t column) const {
    const CellStore::Cell* cell = model_->store().cell(row, column);
    return cell == nullptr ? nullptr : cell->text.c_str();
}

bool CMsflexgrid1::setCellText(int32_t row, int32_t column, const char* text) {
    return model_->setText(row, column, text);
}

bool CMsflexgrid1::removeRow(int32_t row) {
    holdPaintingWhileSuspended();
    return model_->removeRow(row);
}

float CMsflexgrid1::getFontSize() const {
    return fontSize_;
}

void CMsflexgrid1::setFontSize(float points) {
    if (!std::isfinite(points) || points <= 0.0f) return;
    holdPaintingWhileSuspended();
    fontSize_ = points;
    applyFont();
}

GridView::PixelSize CMsflexgrid1::getWindowSize() const {
    return {width(), height()};
}

void CMsflexgrid1::setWindowSize(int32_t width, int32_t height) {
    if (width < 1 || height < 1) return;
    holdPaintingWhileSuspended();
    resize(std::min(width, QWIDGETSIZE_MAX), std::min(height, QWIDGETSIZE_MAX));
}

void CMsflexgrid1::applyFont() {
    QFont font(fontFamily_);
    font.setPointSizeF(std::min(fontSize_, kMaxShownPoints));
    font.setWeight(QFont::Normal);
    setFont(font);
    // Rows keep a fixed height, which is what makes 400 rows cheap; it follows the font.
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + kRowPadding);
}

void CMsflexgrid1::applyColumnWidth(int32_t column) {
    horizontalHeader()->resizeSection(column, columnPixels(widthTwips_[column]));
}

int CMsflexgrid1::columnPixels(int32_t twips) const {
    const int64_t pixels = static_cast<int64_t>(twips) * logicalDpiX() / kTwipsPerInch;
    return static_cast<int>(std::min(pixels, kMaxColumnPixels));
}
