#pragma once

#include <QStringList>

class CommandIo;

// One subcommand of the command line: its name, a line saying what it does (marked for translation in
// the "CommandLine" context), and what runs it. Each lives in a file of its own (<Name>Command.cpp).
struct Subcommand
{
    const char *name;
    const char *summary;
    // arguments follow the subcommand's name; returns the exit status.
    int (*run)(const QStringList &arguments, CommandIo &io);
};

namespace Subcommands {

// Every subcommand, in the order "corvanthe help" lists them.
const Subcommand &convert();
const Subcommand &dump();
const Subcommand &find();
const Subcommand &replace();
const Subcommand &print();
const Subcommand &zip();
const Subcommand &postalData();
const Subcommand &qr();
const Subcommand &phones();
const Subcommand &table();

} // namespace Subcommands
