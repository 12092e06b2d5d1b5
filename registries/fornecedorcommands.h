#pragma once

#include <QString>
#include <functional>

// The commands of the producers and suppliers registry that write other tables than the row being
// edited: copying a person or company into the clients, and bringing the brokers of the operator
// platform in as sellers. Each runs on the program's connection in one transaction with its audit
// rows, so it is written whole or not at all.
namespace FornecedorCommands {

enum class CopyResult { Copied, AlreadyClient, NotFound, Failed };

// Appends the supplier `codigo` to `clientes` unless a client already has its document: a
// company's CNPJ (with its state registration), else the person's CPF (with the identity card).
// A row without either document is taken as already copied when a client has the same name.
CopyResult copyToClients(int codigo, QString *error);

// The 11 digits of a broker's CPF as the platform writes it ("999.999.999-99").
QString brokerCpf(const QString &cpfCorretor);
// A broker's telephone as stored in fone1: its digits, at most 11 ("(98) 3232-1234" gives "9832321234").
QString brokerPhone(const QString &fone);

// Appends a seller to `fornecedores` for each row of `corretores` whose CPF no supplier has yet
// (two brokers with one CPF give one seller). *inserted counts the new rows.
bool importBrokers(int *inserted, QString *error);

}  // namespace FornecedorCommands
