-- The question bank: questions, published client versions, learners' accounts, complaints.
-- Texts are utf8mb4 so that every character a learner can type is stored as typed.

CREATE TABLE IF NOT EXISTS e_all_questions (
  Id     BIGINT       NOT NULL AUTO_INCREMENT,
  Format VARCHAR(32)  NOT NULL,           -- "#", "(######)" or "[#####][#####][#####]"
  Path   VARCHAR(255) NOT NULL,           -- root/base index/[sub-branch/]topic/.../name
  Answer VARCHAR(64)  NOT NULL,           -- the correct answer in the question's format
  PRIMARY KEY (Id),
  -- Serves the draw: Format = ? AND Path LIKE 'prefix%'.
  KEY ix_format_path (Format, Path)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;

CREATE TABLE IF NOT EXISTS e_versions (
  version INT UNSIGNED NOT NULL,          -- major * 65536 + minor
  PRIMARY KEY (version)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

CREATE TABLE IF NOT EXISTS e_prelvinrs (
  Prelvinr_id BIGINT   NOT NULL AUTO_INCREMENT,
  GUID        CHAR(32) NOT NULL,          -- the installation identifier
  PRIMARY KEY (Prelvinr_id),
  UNIQUE KEY ux_guid (GUID)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;

CREATE TABLE IF NOT EXISTS e_messages (
  Id          BIGINT    NOT NULL AUTO_INCREMENT,
  QID         BIGINT    NOT NULL,         -- the question complained about
  Prelvinr_id BIGINT    NOT NULL,         -- the account, -1 when none is known
  MESSAGE     TEXT      NOT NULL,
  Created     TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
  PRIMARY KEY (Id),
  KEY ix_qid (QID)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;
