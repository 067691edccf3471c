// SPDX-License-Identifier: MIT
#include "UserAccounts.h"
#include "platform/DateTime.h"
#include <sodium.h>
#include <stdexcept>

namespace {

// Interactive limits: about 64 MiB and a fraction of a second per check on a workstation.
constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

const QString kWrongPassword = QStringLiteral("用户名或密码错误");

void InitSodium()
{
    static const int rc = sodium_init();
    if (rc < 0) throw std::runtime_error("libsodium cannot be initialised");
}

// The password's UTF-8 bytes, wiped when the holder goes away.
class TSecretBytes {
public:
    explicit TSecretBytes(const QString& text) : m_bytes(text.toUtf8()) {}
    ~TSecretBytes() { sodium_memzero(m_bytes.data(), static_cast<size_t>(m_bytes.size())); }
    TSecretBytes(const TSecretBytes&) = delete;
    TSecretBytes& operator=(const TSecretBytes&) = delete;
    const char* data() const { return m_bytes.constData(); }
    unsigned long long size() const { return static_cast<unsigned long long>(m_bytes.size()); }

private:
    QByteArray m_bytes;
};

// Checked instead of a stored hash for a user code the database does not know, so that an
// unknown name takes as long to refuse as a wrong password.
const QString& DecoyHash()
{
    static const QString hash = [] {
        unsigned char random[16];
        randombytes_buf(random, sizeof random);
        return HashPassword(QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(random), sizeof random).toHex()));
    }();
    return hash;
}

std::unique_ptr<TDbStoredProc> Procedure(TDbConnection& conn, const char* name)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QLatin1String(name));
    sp->RefreshParameters();
    return sp;
}

int IntOut(TDbStoredProc& sp, const char* name)
{
    const TDbValue v = sp.ParamByName(QLatin1Char('@') + QLatin1String(name)).Value;
    try {
        return v.AsInteger();
    } catch (const EConvertError&) {
        return 0;
    }
}

QString TextOut(TDbStoredProc& sp, const char* name)
{
    return sp.ParamByName(QLatin1Char('@') + QLatin1String(name)).Value.AsString();
}

QDateTime DateField(const TDbQuery& q, const char* name)
{
    const TDbValue v = q.FieldByName(QLatin1String(name));
    if (v.IsNull()) return {};
    try {
        return DateTimeToQDateTime(v.AsDateTime());
    } catch (const EConvertError&) {
        return {};
    }
}

void RequirePasswordLength(const QString& password)
{
    if (password.size() < TUserAccounts::kMinPasswordLength)
        throw std::invalid_argument(QStringLiteral("密码至少需要%1个字符").arg(TUserAccounts::kMinPasswordLength).toStdString());
}

QString LockedMessage(const QDateTime& until)
{
    return QStringLiteral("登录失败次数过多，账户已锁定，请于%1后再试").arg(until.toString(QStringLiteral("HH:mm")));
}

} // namespace

QString HashPassword(const QString& password)
{
    InitSodium();
    const TSecretBytes bytes(password);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, bytes.data(), bytes.size(), kOpsLimit, kMemLimit, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("libsodium could not hash the password (out of memory)");
    return QString::fromLatin1(out);
}

bool VerifyPasswordHash(const QString& hash, const QString& password)
{
    InitSodium();
    const QByteArray h = hash.toLatin1();
    // Only Argon2id: a hash of another kind (or an empty one) never matches.
    if (!h.startsWith("$argon2id$") || h.size() >= crypto_pwhash_STRBYTES) return false;
    const TSecretBytes bytes(password);
    return crypto_pwhash_str_verify(h.constData(), bytes.data(), bytes.size()) == 0;
}

bool IsCurrentPasswordHash(const QString& hash)
{
    InitSodium();
    const QByteArray h = hash.toLatin1();
    if (!h.startsWith("$argon2id$") || h.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_needs_rehash(h.constData(), kOpsLimit, kMemLimit) == 0;
}

struct TUserAccounts::TStoredLogin {
    bool found = false;
    TUserAccount account;
    QString hash;
    int lockSeconds = 0;
    int failedCount = 0;
};

TUserAccounts::TUserAccounts(TDbConnection& conn) : m_conn(conn) {}

bool TUserAccounts::Available()
{
    try {
        ReadLogin(QString());
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

TUserAccounts::TStoredLogin TUserAccounts::ReadLogin(const QString& userCode)
{
    auto sp = Procedure(m_conn, "sp_UserLoginInfo");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode);
    sp->ExecProc();
    TStoredLogin s;
    s.found = IntOut(*sp, "Found") == 1;
    s.account.userCode = userCode;
    s.account.userName = TextOut(*sp, "UserName");
    s.account.deptCode = TextOut(*sp, "DeptCode");
    s.account.roleCode = TextOut(*sp, "RoleCode");
    s.account.roleId = IntOut(*sp, "RoleId");
    s.account.mustChangePassword = IntOut(*sp, "MustChange") != 0;
    s.account.disabled = IntOut(*sp, "Disabled") != 0;
    s.account.dbLogin = TextOut(*sp, "DbLogin");
    s.hash = TextOut(*sp, "PasswordHash");
    s.lockSeconds = IntOut(*sp, "LockSeconds");
    s.failedCount = IntOut(*sp, "FailedCount");
    sp->Close();
    return s;
}

TLoginResult TUserAccounts::Recorded(const QString& userCode, bool success, const TStoredLogin& stored)
{
    auto sp = Procedure(m_conn, "sp_UserLoginResult");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode);
    sp->ParamByName(QStringLiteral("@Success")).SetAsInteger(success ? 1 : 0);
    sp->ExecProc();
    const int failed = IntOut(*sp, "FailedCount");
    const int lockSeconds = IntOut(*sp, "LockSeconds");
    sp->Close();

    TLoginResult r;
    // A lock-out that began between reading and recording (another workstation's failures)
    // wins over a right password.
    if (lockSeconds > 0) {
        r.outcome = TLoginOutcome::LockedOut;
        r.lockedUntil = QDateTime::currentDateTime().addSecs(lockSeconds);
        r.message = LockedMessage(r.lockedUntil);
    } else if (success) {
        r.outcome = TLoginOutcome::Ok;
        r.account = stored.account;
    } else {
        r.outcome = TLoginOutcome::WrongPassword;
        r.failuresLeft = qMax(1, kMaxFailures - failed);
        r.message = kWrongPassword;
    }
    return r;
}

TLoginResult TUserAccounts::CheckPassword(const QString& userCode, const QString& password, QString* storedHash,
                                          bool countFailure)
{
    TLoginResult r;
    TStoredLogin stored;
    try {
        stored = ReadLogin(userCode.trimmed());
    } catch (const EDatabaseError& e) {
        r.outcome = Available() ? TLoginOutcome::DatabaseError : TLoginOutcome::NotAvailable;
        r.message = r.outcome == TLoginOutcome::NotAvailable ? QStringLiteral("数据库中没有用户表，无法登录（需要升级数据库）")
                                                             : QStringLiteral("无法登录：%1").arg(e.Message());
        return r;
    }
    if (!stored.found) {
        VerifyPasswordHash(DecoyHash(), password);
        r.outcome = TLoginOutcome::UnknownUser;
        r.failuresLeft = kMaxFailures - 1;
        r.message = kWrongPassword;
        return r;
    }
    if (stored.account.disabled) {
        r.outcome = TLoginOutcome::Disabled;
        r.message = QStringLiteral("该用户已停用，请联系管理员");
        return r;
    }
    if (stored.lockSeconds > 0) {
        r.outcome = TLoginOutcome::LockedOut;
        r.lockedUntil = QDateTime::currentDateTime().addSecs(stored.lockSeconds);
        r.message = LockedMessage(r.lockedUntil);
        return r;
    }
    const bool ok = VerifyPasswordHash(stored.hash, password);
    if (!ok && !countFailure) {
        r.outcome = TLoginOutcome::WrongPassword;
        r.failuresLeft = qMax(1, kMaxFailures - stored.failedCount);
        r.message = kWrongPassword;
        return r;
    }
    try {
        r = Recorded(stored.account.userCode, ok, stored);
    } catch (const EDatabaseError& e) {
        // An outcome that could not be recorded is no log-in: otherwise a failing procedure
        // would let guesses go uncounted.
        r = TLoginResult();
        r.outcome = TLoginOutcome::DatabaseError;
        r.message = QStringLiteral("无法登录：%1").arg(e.Message());
        return r;
    }
    if (r.outcome == TLoginOutcome::Ok && !IsCurrentPasswordHash(stored.hash)) stored.hash = Rehash(stored, password);
    if (r.outcome == TLoginOutcome::Ok && storedHash) *storedHash = stored.hash;
    return r;
}

QString TUserAccounts::Rehash(const TStoredLogin& stored, const QString& password)
{
    // The only moment the password is at hand: a hash made with weaker parameters (before the
    // cost was raised) is replaced by a current one. Failing here costs nothing but the upgrade.
    try {
        const QString hash = HashPassword(password);
        auto sp = Procedure(m_conn, "sp_RehashUserPassword");
        sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(stored.account.userCode);
        sp->ParamByName(QStringLiteral("@OldHash")).SetAsString(stored.hash);
        sp->ParamByName(QStringLiteral("@NewHash")).SetAsString(hash);
        sp->ExecProc();
        sp->Close();
        return hash;
    } catch (const EDatabaseError&) {
    } catch (const std::runtime_error&) {
    }
    return stored.hash;
}

TLoginResult TUserAccounts::LogIn(const QString& userCode, const QString& password)
{
    return CheckPassword(userCode, password, nullptr);
}

TLoginResult TUserAccounts::LogInIfMatches(const QString& userCode, const QString& password)
{
    return CheckPassword(userCode, password, nullptr, false);
}

bool TUserAccounts::PasswordMatches(const QString& userCode, const QString& password)
{
    TStoredLogin stored;
    try {
        stored = ReadLogin(userCode.trimmed());
    } catch (const EDatabaseError&) {
        return false;
    }
    return stored.found && !stored.account.disabled && stored.lockSeconds <= 0 && VerifyPasswordHash(stored.hash, password);
}

QString TUserAccounts::ChangePassword(const QString& userCode, const QString& oldPassword, const QString& newPassword)
{
    if (newPassword.size() < kMinPasswordLength) return QStringLiteral("新密码至少需要%1个字符").arg(kMinPasswordLength);
    if (newPassword == oldPassword) return QStringLiteral("新密码不能与旧密码相同");
    QString oldHash;
    const TLoginResult check = CheckPassword(userCode, oldPassword, &oldHash);
    if (check.outcome != TLoginOutcome::Ok)
        return check.outcome == TLoginOutcome::WrongPassword || check.outcome == TLoginOutcome::UnknownUser
                   ? QStringLiteral("旧密码错误")
                   : check.message;
    try {
        const QString newHash = HashPassword(newPassword);
        auto sp = Procedure(m_conn, "sp_ChangeUserPassword");
        sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(check.account.userCode);
        sp->ParamByName(QStringLiteral("@OldHash")).SetAsString(oldHash);
        sp->ParamByName(QStringLiteral("@NewHash")).SetAsString(newHash);
        sp->ExecProc();
        sp->Close();
    } catch (const EDatabaseError& e) {
        return QStringLiteral("无法修改密码：%1").arg(e.Message());
    } catch (const std::runtime_error& e) {
        return QStringLiteral("无法修改密码：%1").arg(QString::fromUtf8(e.what()));
    }
    return {};
}

void TUserAccounts::CreateUser(const TUserAccount& account, const QString& password, bool mustChange)
{
    if (account.userCode.trimmed().isEmpty()) throw std::invalid_argument("用户代码不能为空");
    if (account.roleCode.trimmed().isEmpty()) throw std::invalid_argument("角色不能为空");
    RequirePasswordLength(password);
    const QString hash = HashPassword(password);
    auto sp = Procedure(m_conn, "sp_CreateUser");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(account.userCode.trimmed());
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(account.roleCode.trimmed());
    sp->ParamByName(QStringLiteral("@PasswordHash")).SetAsString(hash);
    sp->ParamByName(QStringLiteral("@MustChange")).SetAsInteger(mustChange ? 1 : 0);
    sp->ParamByName(QStringLiteral("@DbLogin")).SetAsString(account.dbLogin);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::ResetPassword(const QString& userCode, const QString& newPassword, bool mustChange)
{
    RequirePasswordLength(newPassword);
    const QString hash = HashPassword(newPassword);
    auto sp = Procedure(m_conn, "sp_SetUserPassword");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@PasswordHash")).SetAsString(hash);
    sp->ParamByName(QStringLiteral("@MustChange")).SetAsInteger(mustChange ? 1 : 0);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::Unlock(const QString& userCode)
{
    auto sp = Procedure(m_conn, "sp_UnlockUser");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetRole(const QString& userCode, const QString& roleCode)
{
    auto sp = Procedure(m_conn, "sp_SetUserRole");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(roleCode.trimmed());
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetDisabled(const QString& userCode, bool disabled)
{
    auto sp = Procedure(m_conn, "sp_SetUserDisabled");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@Disabled")).SetAsInteger(disabled ? 1 : 0);
    sp->ExecProc();
    sp->Close();
}

void TUserAccounts::SetDbLogin(const QString& userCode, const QString& dbLogin)
{
    auto sp = Procedure(m_conn, "sp_SetUserDbLogin");
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(userCode.trimmed());
    sp->ParamByName(QStringLiteral("@DbLogin")).SetAsString(dbLogin.trimmed());
    sp->ExecProc();
    sp->Close();
}

std::optional<TUserAccount> TUserAccounts::Find(const QString& userCode)
{
    const TStoredLogin s = ReadLogin(userCode.trimmed());
    if (!s.found) return std::nullopt;
    return s.account;
}

QSet<QString> TUserAccounts::RolePermissions(const QString& roleCode)
{
    auto sp = Procedure(m_conn, "sp_RolePermissions");
    sp->ParamByName(QStringLiteral("@RoleCode")).SetAsString(roleCode);
    sp->ExecProc();
    const QString joined = TextOut(*sp, "Operations");
    sp->Close();
    QSet<QString> ops;
    for (const QString& op : joined.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (const QString t = op.trimmed(); !t.isEmpty()) ops.insert(t);
    return ops;
}

QList<TUserListEntry> TUserAccounts::List()
{
    auto q = m_conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT u.UserCode, u.RoleCode, u.MustChangePassword, u.Disabled, u.FailedCount,")
             << QStringLiteral("       u.LockedUntil, u.LastLogin, u.PasswordChanged, u.DbLogin, r.RoleId,")
             << QStringLiteral("       (SELECT MAX(d.姓名) FROM csdoctor d WHERE d.code = u.UserCode) AS UserName,")
             << QStringLiteral("       (SELECT MAX(d.kscode) FROM csdoctor d WHERE d.code = u.UserCode) AS DeptCode")
             << QStringLiteral("  FROM WrUser u LEFT JOIN WrRole r ON r.RoleCode = u.RoleCode")
             << QStringLiteral(" ORDER BY u.UserCode");
    q->Open();
    QList<TUserListEntry> list;
    auto integer = [&](const char* name) {
        try {
            return q->FieldByName(QLatin1String(name)).AsInteger();
        } catch (const EConvertError&) {
            return 0;
        }
    };
    for (; !q->Eof(); q->Next()) {
        TUserListEntry e;
        e.account.userCode = q->FieldByName(QStringLiteral("UserCode")).AsString();
        e.account.userName = q->FieldByName(QStringLiteral("UserName")).AsString();
        e.account.deptCode = q->FieldByName(QStringLiteral("DeptCode")).AsString();
        e.account.roleCode = q->FieldByName(QStringLiteral("RoleCode")).AsString();
        e.account.roleId = integer("RoleId");
        e.account.mustChangePassword = integer("MustChangePassword") != 0;
        e.account.disabled = integer("Disabled") != 0;
        e.account.dbLogin = q->FieldByName(QStringLiteral("DbLogin")).AsString();
        e.failedCount = integer("FailedCount");
        e.lockedUntil = DateField(*q, "LockedUntil");
        e.lastLogin = DateField(*q, "LastLogin");
        e.passwordChanged = DateField(*q, "PasswordChanged");
        list << e;
    }
    return list;
}
