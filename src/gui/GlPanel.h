// GlPanel: the rendering panel (object name "OGLPanel"), a QOpenGLWidget that
// hosts the same renderer and framebuffer path as the command-line tool.
// QtGLContext is the TGLContext over it: the widget owns the context, frames
// go into the widget's framebuffer object and Qt composes it.
#pragma once

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <functional>

#include "render/GLContext.h"

namespace tessaly {

class GlPanel : public QOpenGLWidget {
    Q_OBJECT
  public:
    explicit GlPanel(QWidget* parent = nullptr);

    // Called from initializeGL, paintGL and resizeGL with the context current.
    std::function<void()> OnInitialize;
    std::function<void()> OnPaint;
    std::function<void(int, int)> OnResize;  // device pixels

    // Frames painted in the last whole second, measured.
    double FramesPerSecond() const { return fps_; }
    int FramesPainted() const { return frames_; }

  protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int width, int height) override;

  private:
    QElapsedTimer clock_;
    int frames_ = 0;
    int windowFrames_ = 0;
    qint64 windowStart_ = 0;
    double fps_ = 0.0;
};

class QtGLContext : public TGLContext {
  public:
    explicit QtGLContext(GlPanel& panel) : panel_(panel) {}
    bool CreateContext(int width, int height, UserPort& port) override;
    GLuint TargetFramebuffer() const override;

  private:
    GlPanel& panel_;
};

}  // namespace tessaly
