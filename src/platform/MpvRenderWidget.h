#pragma once

#include <QOpenGLWidget>

#include <functional>

struct mpv_handle;
struct mpv_render_context;

// The movie panel of the real player: mpv draws each frame through its render API into
// this widget's framebuffer. The render context is made with the widget's GL context,
// which exists once the widget is first shown; ready(true) then tells the player that
// video can be opened, ready(false) that it can't (no usable GL).
class MpvRenderWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    MpvRenderWidget(mpv_handle *mpv, std::function<void(bool)> ready, QWidget *parent = nullptr);
    ~MpvRenderWidget() override;

    bool hasRenderContext() const { return m_render != nullptr; }
    // Whether the platform gives OpenGL contexts at all; without, the widget can't be shown.
    static bool openGlAvailable();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void onUpdate(void *self);
    void frameReady();
    void render(bool skip);
    void freeRenderContext();

    mpv_handle *m_mpv;
    std::function<void(bool)> m_ready;
    mpv_render_context *m_render = nullptr;
};
