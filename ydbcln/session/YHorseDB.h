// YHorseDB: the database session every object of the library works against.
//
// The application creates one session, calls init() with the data directory,
// hands the session pointer to each object it builds, and calls term() (or
// destroys the session) at the end. The session owns no data: it starts and
// stops the database library, answers a few questions about the data set,
// and holds the last error any object raised.
//
// Objects never throw. They return an empty, zero or negative result and
// leave the reason here as a status with a fixed message:
//   1001 not initialised, 1002 database error, 1003 out of memory,
//   1004 bad parameter, 1005 already initialised.
//
// The database library is process-wide. Copies of an initialised session
// share it: the library stops when the last initialised copy terminates, so
// destroying one copy never pulls the data set from under another.
#ifndef YDBCLN_SESSION_YHORSEDB_H_
#define YDBCLN_SESSION_YHORSEDB_H_

#include <string>

class YHorseDB {
 public:
  enum Status {
    kNotInitialised = 1001,
    kDatabaseError = 1002,
    kOutOfMemory = 1003,
    kBadParameter = 1004,
    kAlreadyInitialised = 1005,
  };

  // The fixed messages (Shift_JIS) of statuses 1001 to 1005, indexed by
  // status minus 1001.
  static const std::string msg[5];

  YHorseDB();
  YHorseDB(const YHorseDB& other);
  YHorseDB& operator=(const YHorseDB& other);
  virtual ~YHorseDB();

  // Opens the data set in `dir` (a final backslash or slash is a separator;
  // one is added when missing). False with status 1005 when already
  // initialised, 1002 when the database library fails; a failed init leaves
  // the session not initialised and can be retried. Success does not clear
  // an earlier status.
  virtual bool init(const std::string& dir);

  // Stops the database library if initialised; harmless when not.
  virtual void term();

  virtual bool isinit();

  // The error state: status, a diagnostic text and number.
  virtual void seterror(int status, const std::string& detail, int detail_number);
  virtual void clearerror();
  virtual int geterrstatus();

  // The fixed message of the status; empty for 0 and unknown statuses.
  virtual std::string geterrmessage();

  // First and last year of results data (getyear) and of race-card data
  // (getyear_denma). Not initialised: both left as they were.
  virtual void getyear(int& first, int& last);
  virtual void getyear_denma(int& first, int& last);

  // Whether no other process has the data set open.
  virtual bool is1stinstance();

  // Whether bought-ticket data exists.
  virtual bool ismoneydataexist();

  // Bracket a run of result totals.
  virtual void begin_resulttotal();
  virtual void end_resulttotal();
  virtual bool is_resulttotal();

  // The diagnostic text and number of the last seterror.
  const std::string& geterrdetail() const { return detail_; }
  int geterrdetailnumber() const { return detail_number_; }

 private:
  bool initialised_;
  int status_;
  std::string detail_;
  int detail_number_;
};

#endif  // YDBCLN_SESSION_YHORSEDB_H_
