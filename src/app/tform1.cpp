#include "tform1.h"

#include "figure/constants.h"
#include "figure/depth.h"
#include "render/renderer.h"

#include <QFont>

TForm1* Form1 = nullptr;

namespace {
// The layout, in screen pixels. The frame's rectangle includes the title bar
// and border that the window manager adds.
const QString caption = QStringLiteral("Form1");
constexpr QRect frame(192, 120, 873, 735);
constexpr QRect image1Bounds(30, 80, 800, 600);
constexpr QRect bitBtn1Bounds(136, 16, 97, 41);

const QString fontFamily = QStringLiteral("IPAPGothic"); // a proportional Japanese gothic
constexpr int fontPixelSize = 15;

// The window's three operations for the length of one drawing, with the
// picture's pixels at hand. Nothing else runs while the renderer draws, so
// neither the picture nor the window can change under it, and a pixel costs
// a bounds check and a store; the picture is marked for repainting once, at
// the end.
class DrawingSurface {
public:
    DrawingSurface(QImage& picture, ClientArea& client)
        : m_bits(reinterpret_cast<QRgb*>(picture.bits()))
        , m_stride(picture.bytesPerLine() / qsizetype(sizeof(QRgb)))
        , m_width(picture.width())
        , m_height(picture.height())
        , m_client(client)
    {
    }

    void setPixel(int column, int row, render::Colour colour)
    {
        if (qsizetype{static_cast<unsigned>(column)} < m_width
            && qsizetype{static_cast<unsigned>(row)} < m_height)
            m_bits[row * m_stride + column] = colours::toRgb32(colour);
    }
    void setColor(render::Colour colour) { m_client.setBackground(colour); }
    render::Colour color() const { return m_client.background(); }

private:
    QRgb* m_bits;
    // Wider than a pixel, so that to the compiler a pixel write cannot change them.
    qsizetype m_stride;
    qsizetype m_width;
    qsizetype m_height;
    ClientArea& m_client;
};
} // namespace

TForm1::TForm1(QWidget* parent)
    : QScrollArea(parent)
{
    Form1 = this;

    setWindowTitle(caption);
    QFont windowFont(fontFamily);
    windowFont.setPixelSize(fontPixelSize);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    viewport()->setAutoFillBackground(false);

    m_client = new ClientArea(colours::clBtnFace);
    Image1 = new PictureControl(m_client);
    Image1->setGeometry(image1Bounds);
    BitBtn1 = new CloseButton(m_client);
    BitBtn1->setGeometry(bitBtn1Bounds);
    setWidget(m_client);
    m_client->setAutoFillBackground(false); // it paints its own background
    BitBtn1->setFocus();

    m_placement.ask(this);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::setVisible(bool visible)
{
    if (visible)
        m_placement.place(frame);
    QScrollArea::setVisible(visible);
}

void TForm1::FormCreate(QObject* Sender)
{
    Q_UNUSED(Sender);
    // One bounds change at a time, top, left, height, width: the result is the
    // same wherever the layout put the picture before.
    Image1->move(Image1->x(), image1Bounds.top());
    Image1->move(image1Bounds.left(), Image1->y());
    Image1->resize(Image1->width(), image1Bounds.height());
    Image1->resize(image1Bounds.width(), Image1->height());
    draw();
}

void TForm1::draw()
{
    QImage* picture = Image1->tryCanvas();
    if (!picture) {
        // Fails as it must, at the first pixel write, once the first chain's
        // colour has reached the window.
        render::draw(*this, m_clock);
        return;
    }
    DrawingSurface surface(*picture, *m_client);
    render::draw(surface, m_clock);
    Image1->changed();
}

void TForm1::int_const()
{
    figure::int_const();
}

void TForm1::GetG(double x, double y, double& depth)
{
    figure::GetG(x, y, depth);
}
