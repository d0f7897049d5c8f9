#pragma once
// The explorer's preview pane: what the selected entry holds, by its kind.
// ART tiles as a grid of thumbnails in the palette (one chosen shown large,
// with zoom), PALETTE.DAT's colours, a map's counts and its walls from above
// (with zoom), a sound's format with Play and Stop, a text (coloured when it
// is a known game's script), and the first bytes of anything else. The entry
// is read and decoded on a worker thread (grp/EntryPreview): selecting one
// never holds up the list, and only the last one selected is shown.
#include <QAbstractScrollArea>
#include <QFutureWatcher>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grp/EntryPreview.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace tessel {

class SoundPlayer;

// The tiles of an ART file as thumbnails in a grid, each with its number and
// size; a click chooses one.
class ArtGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int Box = 64;                     // a thumbnail's room
    static constexpr int CellWidth = 76, CellHeight = 96;

    explicit ArtGrid(QWidget* parent = nullptr);
    void SetArt(std::shared_ptr<const ArtFile> art, const PaletteColors& colors);
    int Columns() const;
    // Where tile index (0 for the file's first tile) is drawn, in the viewport.
    QRect CellRect(int index) const;
    QRect ThumbnailRect(int index) const;
    // The thumbnail at its drawn size, made when first asked for.
    const QImage& Thumbnail(int index);
    int Chosen() const { return chosen_; }   // an index, -1 for none
    void Choose(int index);

signals:
    void tileChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBar();

    std::shared_ptr<const ArtFile> art_;
    QVector<QRgb> colors_;
    std::vector<QImage> thumbnails_;
    std::vector<bool> made_;
    int chosen_ = -1;
};

// A map's walls from above, fitted to the widget: one-sided walls white,
// walls with another side red, sprites as dots, the start in yellow. The
// wheel and the zoom buttons zoom; dragging moves the drawing.
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    void SetMap(std::shared_ptr<const MapFile> map);
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    // Map coordinates to the widget's.
    QTransform MapToWidget() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::shared_ptr<const MapFile> map_;
    QRectF bounds_;
    double zoom_ = 1;
    QPointF pan_, dragFrom_;
};

// The 256 colours of a palette, 16 a row.
class PaletteView : public QWidget {
    Q_OBJECT
public:
    explicit PaletteView(QWidget* parent = nullptr);
    void SetColors(const PaletteColors& colors);
    QRect Swatch(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaletteColors colors_{};
};

class TfrmGrpPreview : public QWidget {
    Q_OBJECT
public:
    // table(game) gives the keyword table of a game's scripts (null: none).
    using KeywordTables = std::function<std::shared_ptr<const KeywordTableType>(int game)>;
    explicit TfrmGrpPreview(KeywordTables tables, QWidget* parent = nullptr);
    ~TfrmGrpPreview() override;

    // Shows the entry of row in the archive, read on a worker thread; others
    // are the archives of the other explorer windows (for a palette).
    void ShowEntry(const std::string& archivePath, const GrpRow& row, const std::vector<std::string>& others);
    // Shows nothing (no entry selected, no archive).
    void Clear();
    // An entry is being read.
    bool Loading() const;
    // What is shown; null for nothing.
    const EntryPreview* Shown() const { return shown_.get(); }
    // The tile number chosen in the grid; nullopt for none.
    std::optional<int> ChosenTile() const;
    // The colours the tiles are drawn in.
    const PaletteColors& TileColors() const;
    void StopSound();

signals:
    void exportTile(int number);
    void replaceTile(int number);
    void openInEditor(QString name);
    // A text for the explorer's status bar (what Play could not do).
    void status(QString text);

private:
    void Start();
    void Present(std::shared_ptr<EntryPreview> preview);
    void ShowTile(int index);
    void Play();

    struct Request {
        std::string archive;
        GrpRow row;
        std::vector<std::string> others;
    };
    KeywordTables tables_;
    std::optional<Request> pending_;
    QFutureWatcher<EntryPreview>* watcher_ = nullptr;
    bool working_ = false;   // the watcher's future is a worker's, not yet finished
    std::shared_ptr<EntryPreview> shown_;
    SoundPlayer* player_ = nullptr;

    QLabel* lblInfo_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    ArtGrid* grid_ = nullptr;
    QLabel* lblTile_ = nullptr;
    QLabel* lblTileImage_ = nullptr;
    QComboBox* cmbZoom_ = nullptr;
    QPushButton* btnExport_ = nullptr;
    QPushButton* btnReplace_ = nullptr;
    PaletteView* palette_ = nullptr;
    MapView* map_ = nullptr;
    QPushButton* btnPlay_ = nullptr;
    QPushButton* btnStop_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPlainTextEdit* hex_ = nullptr;
    QWidget* pgEmpty_ = nullptr;
    QWidget* pgArt_ = nullptr;
    QWidget* pgPalette_ = nullptr;
    QWidget* pgMap_ = nullptr;
    QWidget* pgSound_ = nullptr;
    QWidget* pgText_ = nullptr;
    QWidget* pgHex_ = nullptr;
};

} // namespace tessel
