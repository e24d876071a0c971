#pragma once
// A sound device for tests: records every command string and answers with scripted results
// (success once the script runs out, unless `fallback` says otherwise).

#include "sound/sounddevice.h"

#include <QString>
#include <QStringList>
#include <deque>

namespace zanfolio::testing {

class RecordingSoundDevice final : public SoundDevice {
  public:
    PlayResult play(const QString& command) override {
        commands << command;
        if (results.empty())
            return fallback;
        PlayResult r = results.front();
        results.pop_front();
        return r;
    }

    // Scripts `count` failures with the given code and text.
    void fail(int count, int code = 263,
              const QString& text = QStringLiteral("装置が見つかりません")) {
        for (int i = 0; i < count; ++i)
            results.push_back({code, text});
    }
    void succeed(int count = 1) {
        for (int i = 0; i < count; ++i)
            results.push_back({});
    }

    QStringList commands;
    std::deque<PlayResult> results;
    PlayResult fallback;
};

} // namespace zanfolio::testing
