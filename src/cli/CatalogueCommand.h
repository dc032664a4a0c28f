#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl catalogue [--json]`: every category and tweak, as a table or as JSON.
class CatalogueCommand : public Command {
public:
    CatalogueCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
