#pragma once
// "Edit System Pages": a property sheet with the pages About (CPPSPAbout), Search Results
// (CPPSPSearch), Table Of Contents (CPPSPTOC) and Colors (CPPSPColors), opened on the page
// that the summary row asks for.

#include <QWidget>
#include <array>

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/SystemPagesRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

namespace nbx::app {

class ColourButton;

class CPPSPAbout final : public QWidget {
    Q_OBJECT
public:
    CPPSPAbout(const SystemPagesValues& values, const std::vector<std::string>& files,
               QWidget* parent);
    void Store(SystemPagesValues& values) const;

private:
    void UpdateEnabling();
    QComboBox* kind_;
    QLineEdit* nickname_;
    QLabel* nicknameLabel_;
    QComboBox* file_;
    QLabel* fileLabel_;
};

class CPPSPSearch final : public QWidget {
    Q_OBJECT
public:
    CPPSPSearch(const SystemPagesValues& values, QWidget* parent);
    void Store(SystemPagesValues& values) const;

private:
    QCheckBox* descriptions_;
    QCheckBox* showMatch_;
};

class CPPSPTOC final : public QWidget {
    Q_OBJECT
public:
    CPPSPTOC(const SystemPagesValues& values, const std::vector<std::string>& files,
             QWidget* parent);
    void Store(SystemPagesValues& values) const;

private:
    void UpdateEnabling();
    QComboBox* kind_;
    QComboBox* file_;
    QLabel* fileLabel_;
    QCheckBox* descriptions_;
};

class CPPSPColors final : public QWidget {
    Q_OBJECT
public:
    CPPSPColors(const SystemPagesValues& values, QWidget* parent);
    void Store(SystemPagesValues& values) const;

private:
    std::array<ColourButton*, kColourCount> buttons_{};
};

class SystemPagesDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    SystemPagesDialog(const SystemPagesValues& values, const std::vector<std::string>& files,
                      SystemPagesTab firstTab, Prompter& prompter, QWidget* parent = nullptr);
    SystemPagesValues values() const;

private:
    SystemPagesValues start_;
    QTabWidget* tabs_;
    CPPSPAbout* about_;
    CPPSPSearch* search_;
    CPPSPTOC* contents_;
    CPPSPColors* colors_;
};

}  // namespace nbx::app
