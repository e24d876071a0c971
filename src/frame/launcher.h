#pragma once
// Starting another program without waiting for it (the launcher the pupils return to).

#include <QString>
#include <QStringList>

namespace zanfolio {

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Starts `program` with `arguments` in its own folder; false with a reason when it cannot.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               QString* error) = 0;
};

class SystemLauncher final : public ProcessLauncher {
  public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override;
};

} // namespace zanfolio
