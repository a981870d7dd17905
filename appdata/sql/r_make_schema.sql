-- Copied once to drive D:, where project_path receives the application folder at every start.
CREATE TABLE project_path (project_path TEXT DEFAULT '');
INSERT INTO project_path (project_path) VALUES ('');
