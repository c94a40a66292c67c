#pragma once

#include <QString>

#include <random>

// The random pick of random play: a walk down the directory tree from a root, taking at
// each level one of the tracks (.mp3, .ogg, .wma) and sub-directories with equal chance,
// until a track is taken or a directory has nothing to take. Seeded once, when made.
class TRandomFile {
public:
    // A walk never goes deeper than this: a tree that loops through links still ends.
    static constexpr int MaxDepth = 64;

    explicit TRandomFile(std::mt19937::result_type seed = std::random_device{}());

    void setRandomizeFromHerePath(const QString &path) { m_root = path; }
    QString RandomizeFromHerePath() const { return m_root; }

    // Walks from the root. FileResult 1: FileName is the track taken; 0: nothing was
    // found and FileName is the directory where the walk ended.
    void Execute();
    int FileResult() const { return m_result; }
    QString FileName() const { return m_fileName; }

    static bool isTrack(const QString &name);

private:
    std::mt19937 m_random;
    QString m_root;
    int m_result = 0;
    QString m_fileName;
};
