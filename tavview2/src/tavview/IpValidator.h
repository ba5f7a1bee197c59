#pragma once

#include <QValidator>

class QLineEdit;

// Accepts the robot's address as typed (an address, a host name, with or without ":port"), but
// not with white space in it.
class IpValidator : public QValidator
{
    Q_OBJECT

public:
    explicit IpValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};

// Shows in the line's background whether it holds acceptable input: white, or a light red.
void validateIp(QLineEdit* line);
