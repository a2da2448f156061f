// PENDING: settings commands (being built).
#include "shell/commands.h"
void setPrefixCommand(Shell&) {}
void setSuffixCommand(Shell&) {}
void setBaseUrlCommand(Shell&) {}
void setBaseTargetCommand(Shell&) {}
void setCssCommand(Shell&) {}
void setUsingParaCommand(Shell&) {}
