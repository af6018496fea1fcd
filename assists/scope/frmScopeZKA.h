#pragma once
// ScopeZKA's window: the drawing box PDraw, the display choice (band,
// circle, fan), lines or points, colour cycling, and the check box that
// minimizes or restores the player.
#include <QWidget>

#include <cstdint>

#include "assists/scope/ScopeRenderer.h"
#include "common/ClsKtGdi.h"
#include "platform/MessageWindow.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/AssistLink.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace scope {

class ScopeCanvas;

class frmScopeZKA : public QWidget {
    Q_OBJECT
public:
    static constexpr int DrawWidth = 240;
    static constexpr int DrawHeight = 180;

    frmScopeZKA(platform::MessageWindow& window, protocol::AssistArguments arguments, std::uint32_t seed,
                QWidget* parent = nullptr);
    ~frmScopeZKA() override;

    // Installs the window procedure and announces; then checks chkFColor,
    // selects the band and lines and resets the peaks as choosing the band does.
    void Start();

    void PlayStartFromZelko();
    void AnalyzeFromZelko();

    const ScopeRenderer& Renderer() const { return m_renderer; }
    const protocol::AssistLink& Link() const { return m_link; }

    QCheckBox* chkZelko = nullptr;
    QCheckBox* chkBColor = nullptr;
    QCheckBox* chkFColor = nullptr;
    QGroupBox* fraItem[2]{};
    QRadioButton* optLine[2]{};
    QRadioButton* optTitle[3]{};
    ScopeCanvas* PDraw = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCopyData(std::uint32_t wParam, const platform::CopyDataStruct& data);
    void ReadOptions();

    platform::MessageWindow& m_window;
    common::ClsKtGdi m_gdi;
    protocol::AssistLink m_link;
    ScopeRenderer m_renderer;
    protocol::AnalyzeRecord m_analyze{};
};

} // namespace scope
