#pragma once

#include <map>

#include "CEcrValidator.h"

// A table's validator: one rule per checked field. A rule returns true to
// accept, or fills the message and returns false.
class FieldRuleValidator final : public CEcrValidator
{
public:
    using Rule = bool (*)(const S_ECR_CHECK& check, CString& message);

    void SetRule(int field, Rule rule) { m_rules[field] = rule; }
    int Validate(S_ECR_CHECK* check) override;

    // High-amount lock-out: 0, or one digit followed by zeros.
    static bool HaloRule(const S_ECR_CHECK& check, CString& message);
    // Secret code: one to four decimal digits.
    static bool SecretCodeRule(const S_ECR_CHECK& check, CString& message);

private:
    std::map<int, Rule> m_rules;
};
