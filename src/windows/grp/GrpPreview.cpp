#include "windows/grp/GrpPreview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStringDecoder>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "build/EntryKind.h"
#include "windows/grp/SoundPlayer.h"

namespace tessel {

namespace {

// The checker pattern transparent pixels show on.
QBrush CheckerBrush()
{
    QImage checker(16, 16, QImage::Format_RGB32);
    checker.fill(QColor(204, 204, 204));
    QPainter p(&checker);
    p.fillRect(0, 0, 8, 8, QColor(236, 236, 236));
    p.fillRect(8, 8, 8, 8, QColor(236, 236, 236));
    return QBrush(checker);
}

// A tile at its own size, in the colours (already 0xAARRGGBB, 255 transparent).
QImage TileImage(const ArtFile& art, int number, const QVector<QRgb>& colors)
{
    const ArtTile& t = art.Tile(number);
    QImage image(t.width, t.height, QImage::Format_ARGB32);
    const std::string_view pixels = art.Pixels(number);
    for (int x = 0; x < t.width; ++x) {
        const auto* column = reinterpret_cast<const unsigned char*>(pixels.data()) + std::size_t(x) * t.height;
        for (int y = 0; y < t.height; ++y)
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colors[column[y]];
    }
    return image;
}

QVector<QRgb> TileColorTable(const PaletteColors& colors)
{
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = i == TransparentIndex ? qRgba(0, 0, 0, 0) : QRgb(colors[static_cast<std::size_t>(i)]);
    return table;
}

// Paints the text by the colour each character has (0x00BBGGRR).
class RunHighlighter : public QSyntaxHighlighter {
public:
    RunHighlighter(QTextDocument* document, std::vector<TColor> colors)
        : QSyntaxHighlighter(document), colors_(std::move(colors))
    {
    }

protected:
    void highlightBlock(const QString& text) override
    {
        const int start = currentBlock().position();
        int runStart = 0;
        for (int i = 1; i <= text.size(); ++i) {
            const TColor c = At(start + runStart);
            if (i < text.size() && At(start + i) == c)
                continue;
            if (c != clBlack)
                setFormat(runStart, i - runStart, QColor(c & 0xff, c >> 8 & 0xff, c >> 16 & 0xff));
            runStart = i;
        }
    }

private:
    TColor At(int position) const
    {
        return position >= 0 && std::size_t(position) < colors_.size() ? colors_[std::size_t(position)] : clBlack;
    }
    std::vector<TColor> colors_;
};

// The text as the editor shows it (UTF-8 when it is that, else Latin-1), and
// each character's colour from the colour of its first byte.
QString TextOf(const std::string& fileBytes, const std::vector<TColor>& fileColors, std::vector<TColor>& charColors)
{
    // One line break a line, as the text view keeps it: CR LF and a lone CR become LF, with their colours.
    std::string bytes;
    std::vector<TColor> byteColors;
    bytes.reserve(fileBytes.size());
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n')
            continue;
        bytes += fileBytes[i] == '\r' ? '\n' : fileBytes[i];
        if (i < fileColors.size())
            byteColors.push_back(fileColors[i]);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const bool isUtf8 = !utf8.hasError();
    if (!isUtf8)
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (byteColors.empty())
        return text;
    charColors.clear();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isUtf8 && (b & 0xc0) == 0x80)
            continue;   // a continuation byte: its character has its colour already
        const TColor c = i < byteColors.size() ? byteColors[i] : clBlack;
        charColors.push_back(c);
        if (isUtf8 && b >= 0xf0)
            charColors.push_back(c);   // two UTF-16 units
    }
    return text;
}

QLabel* InfoLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);   // entry names and file texts are never markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

// --- the tile grid ------------------------------------------------------------

ArtGrid::ArtGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName("ArtGrid");
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(CellHeight / 3);
}

void ArtGrid::SetArt(std::shared_ptr<const ArtFile> art, const PaletteColors& colors)
{
    art_ = std::move(art);
    colors_ = TileColorTable(colors);
    const std::size_t n = art_ ? art_->tiles.size() : 0;
    thumbnails_.assign(n, QImage());
    made_.assign(n, false);
    chosen_ = -1;
    verticalScrollBar()->setValue(0);
    UpdateScrollBar();
    viewport()->update();
}

int ArtGrid::Columns() const
{
    return std::max(1, viewport()->width() / CellWidth);
}

QRect ArtGrid::CellRect(int index) const
{
    const int columns = Columns();
    return QRect(index % columns * CellWidth, index / columns * CellHeight - verticalScrollBar()->value(), CellWidth,
                 CellHeight);
}

const QImage& ArtGrid::Thumbnail(int index)
{
    const auto i = static_cast<std::size_t>(index);
    if (!made_[i]) {
        made_[i] = true;
        const int number = art_->first + index;
        const ArtTile& t = art_->Tile(number);
        if (t.width > 0 && t.height > 0) {
            // Small tiles twice their size, large ones into the box; pixels stay sharp.
            const double scale = std::min({double(Box) / t.width, double(Box) / t.height, 2.0});
            const int w = std::max(1, int(std::lround(t.width * scale))), h = std::max(1, int(std::lround(t.height * scale)));
            const QImage full = TileImage(*art_, number, colors_);
            thumbnails_[i] = w == t.width && h == t.height ? full : full.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
    }
    return thumbnails_[i];
}

QRect ArtGrid::ThumbnailRect(int index) const
{
    const QRect cell = CellRect(index);
    const ArtTile& t = art_->Tile(art_->first + index);
    if (t.width <= 0 || t.height <= 0)
        return QRect();
    const double scale = std::min({double(Box) / t.width, double(Box) / t.height, 2.0});
    const int w = std::max(1, int(std::lround(t.width * scale))), h = std::max(1, int(std::lround(t.height * scale)));
    return QRect(cell.x() + (CellWidth - w) / 2, cell.y() + 4 + (Box - h) / 2, w, h);
}

void ArtGrid::Choose(int index)
{
    chosen_ = index;
    viewport()->update();
    emit tileChosen(index);
}

void ArtGrid::UpdateScrollBar()
{
    const int count = art_ ? art_->Count() : 0;
    const int rows = (count + Columns() - 1) / Columns();
    verticalScrollBar()->setRange(0, std::max(0, rows * CellHeight - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void ArtGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
}

void ArtGrid::mousePressEvent(QMouseEvent* event)
{
    if (!art_)
        return;
    const QPoint at = event->position().toPoint();
    const int column = at.x() / CellWidth, row = (at.y() + verticalScrollBar()->value()) / CellHeight;
    const int index = row * Columns() + column;
    if (column < Columns() && index >= 0 && index < art_->Count())
        Choose(index);
}

void ArtGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    if (!art_)
        return;
    static const QBrush checker = CheckerBrush();
    const int columns = Columns(), top = verticalScrollBar()->value();
    const int firstRow = top / CellHeight, lastRow = (top + viewport()->height()) / CellHeight;
    const QFontMetrics metrics(font());
    for (int index = firstRow * columns; index < std::min(art_->Count(), (lastRow + 1) * columns); ++index) {
        const QRect cell = CellRect(index);
        if (index == chosen_)
            p.fillRect(cell, palette().highlight());
        const QRect box(cell.x() + (CellWidth - Box) / 2, cell.y() + 4, Box, Box);
        p.fillRect(box, checker);
        const QImage& thumbnail = Thumbnail(index);
        if (!thumbnail.isNull())
            p.drawImage(ThumbnailRect(index).topLeft(), thumbnail);
        const ArtTile& t = art_->Tile(art_->first + index);
        p.setPen(index == chosen_ ? palette().highlightedText().color() : palette().text().color());
        const QRect text(cell.x(), box.bottom() + 2, CellWidth, cell.bottom() - box.bottom() - 2);
        p.drawText(text, Qt::AlignHCenter | Qt::AlignTop,
                   QString("%1\n%2x%3").arg(art_->first + index).arg(t.width).arg(t.height));
    }
}

// --- the map --------------------------------------------------------------------

MapView::MapView(QWidget* parent) : QWidget(parent)
{
    setObjectName("MapView");
    setMinimumSize(120, 120);
}

void MapView::SetMap(std::shared_ptr<const MapFile> map)
{
    map_ = std::move(map);
    bounds_ = QRectF();
    if (map_ && !map_->walls.empty()) {
        double x0 = map_->walls[0].x, x1 = x0, y0 = map_->walls[0].y, y1 = y0;
        for (const MapWall& w : map_->walls) {
            x0 = std::min<double>(x0, w.x), x1 = std::max<double>(x1, w.x);
            y0 = std::min<double>(y0, w.y), y1 = std::max<double>(y1, w.y);
        }
        bounds_ = QRectF(x0, y0, std::max(1.0, x1 - x0), std::max(1.0, y1 - y0));
    }
    zoom_ = 1;
    pan_ = QPointF();
    update();
}

void MapView::SetZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.25, 64.0);
    update();
}

QTransform MapView::MapToWidget() const
{
    if (bounds_.isNull())
        return QTransform();
    constexpr double margin = 8;
    const double fit = std::min((width() - 2 * margin) / bounds_.width(), (height() - 2 * margin) / bounds_.height());
    const double scale = std::max(fit, 1e-9) * zoom_;
    QTransform t;
    t.translate(width() / 2.0 + pan_.x(), height() / 2.0 + pan_.y());
    t.scale(scale, scale);
    t.translate(-bounds_.center().x(), -bounds_.center().y());
    return t;
}

void MapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(16, 16, 24));
    if (!map_)
        return;
    const QTransform t = MapToWidget();
    p.setRenderHint(QPainter::Antialiasing);
    const QPen oneSided(QColor(240, 240, 240), 1), twoSided(QColor(220, 40, 40), 1);
    for (const MapWall& w : map_->walls) {
        const MapWall& next = map_->walls[static_cast<std::size_t>(w.point2)];
        p.setPen(w.nextWall >= 0 ? twoSided : oneSided);
        p.drawLine(t.map(QPointF(w.x, w.y)), t.map(QPointF(next.x, next.y)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 200, 220));
    for (const MapSprite& s : map_->sprites)
        p.drawEllipse(t.map(QPointF(s.x, s.y)), 1.5, 1.5);
    const QPointF start = t.map(QPointF(map_->x, map_->y));
    p.setBrush(QColor(250, 220, 40));
    p.drawEllipse(start, 4, 4);
    // Build's angles: 2048 to the circle, 0 east, clockwise on the screen.
    const double a = map_->angle * 2 * M_PI / 2048;
    p.setPen(QPen(QColor(250, 220, 40), 2));
    p.drawLine(start, start + QPointF(12 * std::cos(a), 12 * std::sin(a)));
}

void MapView::wheelEvent(QWheelEvent* event)
{
    SetZoom(zoom_ * (event->angleDelta().y() > 0 ? 1.25 : 0.8));
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    dragFrom_ = event->position() - pan_;
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        pan_ = event->position() - dragFrom_;
        update();
    }
}

// --- the palette -------------------------------------------------------------------

PaletteView::PaletteView(QWidget* parent) : QWidget(parent)
{
    setObjectName("PaletteView");
    setMinimumSize(128, 128);
}

void PaletteView::SetColors(const PaletteColors& colors)
{
    colors_ = colors;
    update();
}

QRect PaletteView::Swatch(int index) const
{
    const int side = std::max(4, std::min(width(), height()) / 16);
    return QRect(index % 16 * side, index / 16 * side, side - 1, side - 1);
}

void PaletteView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int i = 0; i < 256; ++i)
        p.fillRect(Swatch(i), QColor::fromRgba(colors_[static_cast<std::size_t>(i)]));
}

// --- the pane ------------------------------------------------------------------------

TfrmGrpPreview::TfrmGrpPreview(KeywordTables tables, QWidget* parent) : QWidget(parent), tables_(std::move(tables))
{
    setObjectName("PreviewPane");
    player_ = new SoundPlayer(this);
    watcher_ = new QFutureWatcher<EntryPreview>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        working_ = false;
        auto preview = std::make_shared<EntryPreview>(watcher_->future().takeResult());
        if (pending_)
            Start();   // a later selection: this one is no longer wanted
        else
            Present(std::move(preview));
    });

    lblInfo_ = InfoLabel("lblPreviewInfo", this);
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("PreviewPages");
    const auto page = [this](const char* name) {
        auto* w = new QWidget(pages_);
        w->setObjectName(name);
        pages_->addWidget(w);
        auto* layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        return w;
    };
    pgEmpty_ = page("pgEmpty");

    pgArt_ = page("pgArt");
    auto* artSplit = new QSplitter(Qt::Vertical, pgArt_);
    grid_ = new ArtGrid(artSplit);
    auto* tileBox = new QWidget(artSplit);
    auto* tileLayout = new QVBoxLayout(tileBox);
    tileLayout->setContentsMargins(0, 0, 0, 0);
    auto* tileBar = new QHBoxLayout;
    lblTile_ = InfoLabel("lblTile", tileBox);
    cmbZoom_ = new QComboBox(tileBox);
    cmbZoom_->setObjectName("cmbZoom");
    for (const int zoom : {1, 2, 4, 8})
        cmbZoom_->addItem(QString("%1x").arg(zoom), zoom);
    cmbZoom_->setCurrentIndex(1);
    btnExport_ = new QPushButton("E&xport Tile...", tileBox);
    btnExport_->setObjectName("btnExportTile");
    btnReplace_ = new QPushButton("&Replace Tile...", tileBox);
    btnReplace_->setObjectName("btnReplaceTile");
    tileBar->addWidget(lblTile_, 1);
    tileBar->addWidget(cmbZoom_);
    tileBar->addWidget(btnExport_);
    tileBar->addWidget(btnReplace_);
    auto* tileScroll = new QScrollArea(tileBox);
    lblTileImage_ = new QLabel(tileScroll);
    lblTileImage_->setObjectName("lblTileImage");
    lblTileImage_->setAlignment(Qt::AlignCenter);
    tileScroll->setWidget(lblTileImage_);
    tileScroll->setWidgetResizable(true);
    tileScroll->setBackgroundRole(QPalette::Dark);
    tileLayout->addLayout(tileBar);
    tileLayout->addWidget(tileScroll, 1);
    artSplit->addWidget(grid_);
    artSplit->addWidget(tileBox);
    artSplit->setStretchFactor(0, 3);
    artSplit->setStretchFactor(1, 2);
    pgArt_->layout()->addWidget(artSplit);
    connect(grid_, &ArtGrid::tileChosen, this, [this](int index) { ShowTile(index); });
    connect(cmbZoom_, &QComboBox::currentIndexChanged, this, [this] { ShowTile(grid_->Chosen()); });
    connect(btnExport_, &QPushButton::clicked, this, [this] {
        if (const auto tile = ChosenTile())
            emit exportTile(*tile);
    });
    connect(btnReplace_, &QPushButton::clicked, this, [this] {
        if (const auto tile = ChosenTile())
            emit replaceTile(*tile);
    });

    pgPalette_ = page("pgPalette");
    palette_ = new PaletteView(pgPalette_);
    pgPalette_->layout()->addWidget(palette_);

    pgMap_ = page("pgMap");
    map_ = new MapView(pgMap_);
    auto* mapBar = new QHBoxLayout;
    for (const auto& [name, text, factor] :
         {std::tuple{"btnZoomIn", "Zoom &In", 1.5}, std::tuple{"btnZoomOut", "Zoom &Out", 1 / 1.5},
          std::tuple{"btnZoomFit", "&Fit", 0.0}}) {
        auto* b = new QPushButton(text, pgMap_);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [this, factor = factor] {
            map_->SetZoom(factor == 0 ? 1 : map_->Zoom() * factor);
        });
        mapBar->addWidget(b);
    }
    mapBar->addStretch();
    static_cast<QVBoxLayout*>(pgMap_->layout())->addLayout(mapBar);
    pgMap_->layout()->addWidget(map_);

    pgSound_ = page("pgSound");
    auto* soundBar = new QHBoxLayout;
    btnPlay_ = new QPushButton("&Play", pgSound_);
    btnPlay_->setObjectName("btnPlay");
    btnStop_ = new QPushButton("&Stop", pgSound_);
    btnStop_->setObjectName("btnStop");
    btnStop_->setEnabled(false);
    soundBar->addWidget(btnPlay_);
    soundBar->addWidget(btnStop_);
    soundBar->addStretch();
    static_cast<QVBoxLayout*>(pgSound_->layout())->addLayout(soundBar);
    static_cast<QVBoxLayout*>(pgSound_->layout())->addStretch();
    connect(btnPlay_, &QPushButton::clicked, this, [this] { Play(); });
    connect(btnStop_, &QPushButton::clicked, this, [this] { StopSound(); });
    connect(player_, &SoundPlayer::stopped, this, [this] { btnStop_->setEnabled(false); });

    pgText_ = page("pgText");
    auto* textBar = new QHBoxLayout;
    auto* btnEdit = new QPushButton("Open in &Editor", pgText_);
    btnEdit->setObjectName("btnOpenInEditor");
    textBar->addWidget(btnEdit);
    textBar->addStretch();
    static_cast<QVBoxLayout*>(pgText_->layout())->addLayout(textBar);
    text_ = new QPlainTextEdit(pgText_);
    text_->setObjectName("txtPreview");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFont("Courier"));
    pgText_->layout()->addWidget(text_);
    connect(btnEdit, &QPushButton::clicked, this, [this] {
        if (shown_)
            emit openInEditor(QString::fromStdString(shown_->row.name));
    });

    pgHex_ = page("pgHex");
    hex_ = new QPlainTextEdit(pgHex_);
    hex_->setObjectName("txtHex");
    hex_->setReadOnly(true);
    hex_->setLineWrapMode(QPlainTextEdit::NoWrap);
    hex_->setFont(QFont("Courier"));
    pgHex_->layout()->addWidget(hex_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->addWidget(lblInfo_);
    layout->addWidget(pages_, 1);
    Clear();
}

TfrmGrpPreview::~TfrmGrpPreview()
{
    pending_.reset();
    watcher_->disconnect(this);
    if (working_)
        watcher_->waitForFinished();   // the worker reads the archive, not this pane
}

void TfrmGrpPreview::ShowEntry(const std::string& archivePath, const GrpRow& row, const std::vector<std::string>& others)
{
    pending_ = Request{archivePath, row, others};
    lblInfo_->setText(QString::fromStdString(row.name) + ": reading...");
    if (!working_)
        Start();
}

void TfrmGrpPreview::Start()
{
    Request r = std::move(*pending_);
    pending_.reset();
    std::shared_ptr<const KeywordTableType> table;
    if (const int game = ScriptGameOf(r.row.name); game && tables_)
        table = tables_(game);
    working_ = true;
    watcher_->setFuture(QtConcurrent::run([r = std::move(r), table] {
        return ReadEntryPreview(r.archive, r.row, r.others, table.get());
    }));
}

void TfrmGrpPreview::Clear()
{
    pending_.reset();
    StopSound();
    shown_.reset();
    grid_->SetArt(nullptr, PaletteColors{});
    map_->SetMap(nullptr);
    text_->clear();
    hex_->clear();
    lblInfo_->setText("Select an entry to see what it holds.");
    pages_->setCurrentWidget(pgEmpty_);
}

bool TfrmGrpPreview::Loading() const
{
    return working_ || pending_.has_value();
}

std::optional<int> TfrmGrpPreview::ChosenTile() const
{
    if (!shown_ || shown_->kind != EntryKind::Art || grid_->Chosen() < 0)
        return std::nullopt;
    return shown_->art.first + grid_->Chosen();
}

const PaletteColors& TfrmGrpPreview::TileColors() const
{
    static const PaletteColors none{};
    return shown_ ? shown_->palette.colors : none;
}

void TfrmGrpPreview::Present(std::shared_ptr<EntryPreview> preview)
{
    StopSound();
    shown_ = std::move(preview);
    const EntryPreview& p = *shown_;
    const QString name = QString::fromStdString(p.row.name);
    if (!p.error.empty()) {
        lblInfo_->setText(name + " cannot be shown: " + QString::fromStdString(p.error));
        pages_->setCurrentWidget(pgEmpty_);
        return;
    }
    lblInfo_->setText(name + ": " + QString::fromStdString(p.info));
    switch (p.kind) {
    case EntryKind::Art: {
        // The grid keeps the file while it shows it; the preview owns it.
        grid_->SetArt(std::shared_ptr<const ArtFile>(shown_, &shown_->art), p.palette.colors);
        pages_->setCurrentWidget(pgArt_);
        int first = -1;   // the first tile that has pixels is shown large
        for (int i = 0; i < p.art.Count() && first < 0; ++i)
            first = p.art.tiles[std::size_t(i)].width > 0 && p.art.tiles[std::size_t(i)].height > 0 ? i : -1;
        if (first >= 0)
            grid_->Choose(first);
        else
            ShowTile(-1);
        break;
    }
    case EntryKind::Palette:
        palette_->SetColors(p.palette.colors);
        pages_->setCurrentWidget(pgPalette_);
        break;
    case EntryKind::Map:
        map_->SetMap(std::shared_ptr<const MapFile>(shown_, &shown_->map));
        pages_->setCurrentWidget(pgMap_);
        break;
    case EntryKind::Voc:
    case EntryKind::Wav:
    case EntryKind::Midi:
        pages_->setCurrentWidget(pgSound_);
        break;
    case EntryKind::Text: {
        std::vector<TColor> colors;
        const QString text = TextOf(p.bytes, p.colors, colors);
        text_->setPlainText(text);
        if (!colors.empty())
            new RunHighlighter(text_->document(), std::move(colors));   // the document owns it
        pages_->setCurrentWidget(pgText_);
        break;
    }
    case EntryKind::Other:
        hex_->setPlainText(QString::fromLatin1(HexDump(p.bytes).c_str()));
        pages_->setCurrentWidget(pgHex_);
        break;
    }
}

void TfrmGrpPreview::ShowTile(int index)
{
    const bool shown = shown_ && shown_->kind == EntryKind::Art && index >= 0 && index < shown_->art.Count();
    btnExport_->setEnabled(shown);
    btnReplace_->setEnabled(shown);
    if (!shown) {
        lblTile_->clear();
        lblTileImage_->clear();
        return;
    }
    const ArtFile& art = shown_->art;
    const int number = art.first + index;
    const ArtTile& t = art.Tile(number);
    const int zoom = cmbZoom_->currentData().toInt();
    lblTile_->setText(QString("Tile %1: %2 x %3").arg(number).arg(t.width).arg(t.height));
    if (t.width == 0 || t.height == 0) {
        lblTileImage_->clear();
        return;
    }
    const QImage image = TileImage(art, number, TileColorTable(shown_->palette.colors))
                             .scaled(t.width * zoom, t.height * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPixmap pixmap(image.size());
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), CheckerBrush());
    painter.drawImage(0, 0, image);
    painter.end();
    lblTileImage_->setPixmap(pixmap);
}

void TfrmGrpPreview::Play()
{
    if (!shown_)
        return;
    const QString failed = shown_->kind == EntryKind::Midi ? player_->PlayMidi(shown_->bytes) : player_->Play(shown_->sound);
    btnStop_->setEnabled(player_->Playing());
    emit status(failed.isEmpty() ? "Playing " + QString::fromStdString(shown_->row.name) : failed);
}

void TfrmGrpPreview::StopSound()
{
    player_->Stop();
    btnStop_->setEnabled(false);
}

} // namespace tessel
