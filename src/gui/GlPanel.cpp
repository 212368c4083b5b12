#include "gui/GlPanel.h"

#include <QOpenGLContext>

#include "core/ui/UserPort.h"

namespace tessaly {

GlPanel::GlPanel(QWidget* parent) : QOpenGLWidget(parent) {
    setObjectName("OGLPanel");
    setMinimumSize(64, 64);
    setMouseTracking(false);
    clock_.start();
}

void GlPanel::initializeGL() {
    if (OnInitialize) OnInitialize();
}

void GlPanel::paintGL() {
    if (OnPaint) OnPaint();
    // The window composes the panel's framebuffer with its alpha channel,
    // which blended drawing (the reflection) leaves below 1: the frame is
    // made opaque, its colours untouched.
    GLfloat clear[4];
    GLboolean mask[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    ++frames_;
    ++windowFrames_;
    const qint64 now = clock_.elapsed();
    if (now - windowStart_ >= 1000) {
        fps_ = windowFrames_ * 1000.0 / static_cast<double>(now - windowStart_);
        windowFrames_ = 0;
        windowStart_ = now;
    }
}

void GlPanel::resizeGL(int width, int height) {
    const qreal ratio = devicePixelRatioF();
    if (OnResize) OnResize(qRound(width * ratio), qRound(height * ratio));
}

bool QtGLContext::CreateContext(int width, int height, UserPort& port) {
    QOpenGLContext* context = panel_.context();
    if (!context || !context->isValid()) {
        port.ShowMessage(MessageKind::Error, "Error - Could not set pixel format", "SetPixelFormat",
                         MessageButtons::Ok);
        return false;
    }
    panel_.makeCurrent();
    Reshape(width, height);
    return true;
}

GLuint QtGLContext::TargetFramebuffer() const {
    return panel_.defaultFramebufferObject();
}

}  // namespace tessaly
