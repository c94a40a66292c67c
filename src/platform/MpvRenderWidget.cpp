#include "platform/MpvRenderWidget.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}

} // namespace

MpvRenderWidget::MpvRenderWidget(mpv_handle *mpv, std::function<void(bool)> ready, QWidget *parent)
    : QOpenGLWidget(parent), m_mpv(mpv), m_ready(std::move(ready))
{
    setObjectName(QStringLiteral("MoviePicture"));
}

MpvRenderWidget::~MpvRenderWidget()
{
    freeRenderContext();
    // The GL context goes later, with the base class: this object can't be told then.
    if (QOpenGLContext *gl = context())
        disconnect(gl, nullptr, this, nullptr);
}

bool MpvRenderWidget::openGlAvailable()
{
    QOpenGLContext probe;
    return probe.create();
}

void MpvRenderWidget::initializeGL()
{
    if (!m_render && m_mpv) {
        mpv_opengl_init_params gl{&procAddress, nullptr};
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
            {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (mpv_render_context_create(&m_render, m_mpv, params) < 0)
            m_render = nullptr;
        else
            mpv_render_context_set_update_callback(m_render, &MpvRenderWidget::onUpdate, this);
        // mpv's context must go before the GL context it draws with.
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                &MpvRenderWidget::freeRenderContext, Qt::DirectConnection);
    }
    if (m_ready)
        m_ready(m_render != nullptr);
}

void MpvRenderWidget::paintGL()
{
    if (!m_render) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    render(false);
}

void MpvRenderWidget::render(bool skip)
{
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{int(defaultFramebufferObject()), int(width() * ratio), int(height() * ratio),
                       0};
    int flip = 1;
    int skipping = skip ? 1 : 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                 {MPV_RENDER_PARAM_SKIP_RENDERING, &skipping},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(m_render, params);
}

// Called on one of mpv's threads: only hand the news to the GUI thread.
void MpvRenderWidget::onUpdate(void *self)
{
    auto *widget = static_cast<MpvRenderWidget *>(self);
    QMetaObject::invokeMethod(widget, &MpvRenderWidget::frameReady, Qt::QueuedConnection);
}

void MpvRenderWidget::frameReady()
{
    if (!m_render || !(mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME))
        return;
    if (isVisible()) {
        update();
        return;
    }
    // Hidden (main menu, speed-camera alert): the film goes on, so each frame is taken
    // without drawing it; mpv would otherwise wait for every frame to be drawn.
    makeCurrent();
    render(true);
    doneCurrent();
}

void MpvRenderWidget::freeRenderContext()
{
    if (!m_render)
        return;
    makeCurrent();
    mpv_render_context_free(m_render);
    m_render = nullptr;
    doneCurrent();
}
