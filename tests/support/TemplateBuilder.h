#pragma once
// Small template catalogues written with the record classes, for tests that need templates.
#include <string>

namespace app_test {

// Writes template rows into the open template database. Identifiers are
// handed out in order, from 1 per table.
class TemplateBuilder {
public:
    int RatingType(const std::string& name);
    int Choice(int ratingTypeID, const std::string& name, bool isDefault = false);
    int DocType(const std::string& name, const std::string& layout = "2 Column");
    // A category template, linked to `docTypeID` when that is not 0.
    int Category(int docTypeID, const std::string& name, int number, int formType = 0, bool excluded = false);
    void Link(int docTypeID, int categoryTemplateID);
    int Step(int categoryTemplateID, const std::string& name, const std::string& number, int ratingTypeID = 0,
             const std::string& info = {}, const std::string& keyword = {});
    int Material(int stepTemplateID, const std::string& name, int order, bool isDefault = false,
                 bool commentsExist = false);
    int Field(int categoryTemplateID, const std::string& label, int type, int sequence);
    // A stock comment linked to a document type, a category template or a material.
    int DocTypeComment(int docTypeID, const std::string& text);
    int CategoryComment(int categoryTemplateID, const std::string& text);
    int MaterialComment(int materialID, const std::string& text);

private:
    int Comment(const std::string& text);
    int m_next[16] = {};
};

} // namespace app_test
